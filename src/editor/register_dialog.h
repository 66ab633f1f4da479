#pragma once
#include <windows.h>

// Non-null while the registration dialog exists; every opener tests it.
extern HWND registerDialogHandle;
// The word list inside the dialog.
extern HWND wordListHandle;

// Creates the modeless registration dialog (it shows itself).
void OpenRegisterDialog(HWND mainWindow);
INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Before the program ends: unsaved changes of the open dialog are saved or
// dropped as the user chooses. False when the user chose to stay.
bool SettleUnsavedChangesBeforeExit();
// When Windows ends the session there is no one to ask: they are saved.
void SaveUnsavedChangesWithoutAsking();
// Places the list and the buttons for the dialog's client size.
void LayOutControls(HWND dialog, int clientWidth);
