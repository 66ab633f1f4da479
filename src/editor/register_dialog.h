#pragma once
#include <windows.h>

// Non-null while the registration dialog exists; every opener tests it.
extern HWND registerDialogHandle;
// The word list inside the dialog.
extern HWND wordListHandle;

// Creates the modeless registration dialog (it shows itself).
void OpenRegisterDialog(HWND mainWindow);
INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the current group the name typed into the rename field, if any.
void RenameCurrentGroup(HWND dialog);
// Places the list and the buttons for the dialog's client size.
void LayOutControls(HWND dialog, int clientWidth);
