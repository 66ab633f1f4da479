#pragma once
#include <windows.h>

// Puts the keystroke filter on the rename field: only characters a file name
// can hold get in, and typing a change enables Apply.
void InstallGroupNameFilter(HWND field);
