#pragma once
// A window's normal-position rectangle as the settings keep it. On Windows it
// is in workspace coordinates, which differ from the screen's by the taskbar
// when that is at the top or left; reading and putting back go through the same
// pair of calls, so a window put back stays exactly where it was.
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

// Moves a window to a rectangle ReadNormalPlacement gave, keeping it shown or hidden as it is
// (MoveWindow would take the rectangle for screen coordinates and move it by the taskbar).
inline bool RestoreNormalPlacement(HWND window, const Placement& placement) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(window, &wp)) return false;
    wp.flags = 0;
    wp.showCmd = IsWindowVisible(window) ? SW_SHOWNORMAL : SW_HIDE;
    wp.rcNormalPosition = {placement.left, placement.top, placement.left + placement.width,
                           placement.top + placement.height};
    return SetWindowPlacement(window, &wp) != FALSE;
}
