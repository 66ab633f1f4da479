#pragma once
#include <windows.h>

// Where the registration dialog's controls go, at the scale of its display.

// Before the word list is made: the layout is in pixels of the dialog's DPI.
void BeginRegisterDialogLayout(HWND dialog);
// The export button, made at run time beside the template's buttons.
void CreateExportButton(HWND dialog);
// Moves the opened dialog to where it was left (sized for the scale on a first start).
void PlaceRegisterDialog(HWND dialog);
// The texts in the language of the moment, with letters for Alt; again when the language changes.
void SetMnemonicCaptions(HWND dialog);
// The order Tab goes round the controls.
void SetTabOrder(HWND dialog);
// Moved to a display of another scale: the system suggests the rectangle.
void OnRegisterDialogDpiChanged(HWND dialog, int dpi, const RECT& suggested);
// Places the list and the buttons for the dialog's client size.
void LayOutControls(HWND dialog, int clientWidth);
