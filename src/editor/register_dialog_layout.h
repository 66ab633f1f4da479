#pragma once
#include <windows.h>

// Where the registration dialog's controls go, at the scale of its display.

// Before the word list is made: the layout is in pixels of the dialog's DPI.
void BeginRegisterDialogLayout(HWND dialog);
// Moves the opened dialog to where it was left (sized for the scale on a first start).
void PlaceRegisterDialog(HWND dialog);
// Letters for Alt, and the order Tab goes round the controls.
void SetMnemonicCaptions(HWND dialog);
void SetTabOrder(HWND dialog);
// Moved to a display of another scale: the system suggests the rectangle.
void OnRegisterDialogDpiChanged(HWND dialog, int dpi, const RECT& suggested);
// Places the list and the buttons for the dialog's client size.
void LayOutControls(HWND dialog, int clientWidth);
