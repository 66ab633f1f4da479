#pragma once
#include <windows.h>

// Handles every part of the program reads; each is written in one place.
extern HINSTANCE instanceHandle;   // set first thing at start-up
extern HCURSOR linkCursor;         // pointing hand, loaded once at start-up
extern HWND mainWindowHandle;      // set once CreateWindowExW has returned
