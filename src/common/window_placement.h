#pragma once
// A window's normal-position rectangle as the settings keep it.
#include <windows.h>

#include "storage/settings.h"

// Leaves placement as it was when the window cannot be asked (for instance
// when it has already been destroyed).
inline bool ReadNormalPlacement(HWND window, Placement& placement) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(window, &wp)) return false;
    const RECT& r = wp.rcNormalPosition;
    placement = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return true;
}
