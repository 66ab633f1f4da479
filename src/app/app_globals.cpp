#include "app/app_globals.h"

HINSTANCE instanceHandle = nullptr;
HCURSOR linkCursor = nullptr;
HWND mainWindowHandle = nullptr;
