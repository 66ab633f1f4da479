#pragma once
#include <windows.h>

#include <cstdint>

// Non-null while the registration dialog exists; every opener tests it.
extern HWND registerDialogHandle;
// The word list inside the dialog.
extern HWND wordListHandle;

// Creates the modeless registration dialog (it shows itself).
void OpenRegisterDialog(HWND mainWindow);
// Opens it, or brings the open one to the front.
void ShowRegisterDialog(HWND mainWindow);
INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Before the program ends: unsaved changes of the open dialog are saved or
// dropped as the user chooses. False when the user chose to stay.
bool SettleUnsavedChangesBeforeExit();
// The keyboard of the dialog (Tab, Alt+letters, Esc, Enter, Delete, Ctrl+A,
// Ctrl+F), before the message is dispatched; true when it was handled.
bool TranslateRegisterDialogKey(MSG& message);
bool GlossaryHasUnsavedChanges();
// Opens the glossary on a group (asking first about unsaved changes of
// another) and selects the row with this order key.
void ShowGlossaryEntry(HWND mainWindow, int slot, int64_t key);
// When Windows ends the session there is no one to ask: they are saved.
void SaveUnsavedChangesWithoutAsking();
