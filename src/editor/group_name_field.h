#pragma once
#include <windows.h>

// Puts the keystroke filter on the rename field: only characters a file name
// can hold get in, and typing a change enables Apply.
void InstallGroupNameFilter(HWND field);
// The platform's verdict on one unit: valid in both long and short file names.
bool IsNameSafeCharacter(char16_t unit);
