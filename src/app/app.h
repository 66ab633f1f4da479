#pragma once
#include <windows.h>

// The whole life of the program: start-up, the message loop, the exit code.
int RunWordHaven(HINSTANCE instance);
