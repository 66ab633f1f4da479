#pragma once
#include <windows.h>

// How wide a control's text is drawn in its own font, in pixels.
int ControlTextWidth(HWND control);
// A control's rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND control);
