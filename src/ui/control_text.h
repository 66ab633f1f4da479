#pragma once
#include <windows.h>

#include <cstddef>

#include "ui/texts.h"

// How wide a control's text is drawn in its own font, in pixels.
int ControlTextWidth(HWND control);
// A control's rectangle in its dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND control);

// A dialog's controls and the texts they show, set in the current language.
struct ControlTextName {
    int id;
    Text name;
};
void SetControlTexts(HWND dialog, const ControlTextName* rows, std::size_t count);
template <std::size_t N>
void SetControlTexts(HWND dialog, const ControlTextName (&rows)[N]) {
    SetControlTexts(dialog, rows, N);
}
// Widens a control to its text, up to 'limit' (a right edge in the dialog's
// client coordinates); it never narrows, so a switch of language back and forth
// leaves the layout as it was.
void WidenToText(HWND dialog, HWND control, LONG limit);
