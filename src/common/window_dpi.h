#pragma once
// The DPI a window is shown at, and system metrics for a DPI. The per-monitor
// functions exist from Windows 10 (1607) on; before that, and on systems
// without them, every window is at the system DPI.
#include <windows.h>

int WindowDpi(HWND window);
int SystemDpi();
int MetricForDpi(int index, int dpi);

// On a change of scale the dialog manager of Windows 10 (1703) and later
// resizes a dialog and moves and re-fonts its controls. A dialog that lays
// itself out takes these parts back: its size, and a control's place (and
// font, for a control that keeps its own).
void KeepDialogSizeOnDpiChange(HWND dialog);
void KeepControlPlaceOnDpiChange(HWND control, bool keepFont);
