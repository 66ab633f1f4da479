#pragma once
// The program's Save As dialog ("書き出し"), driven from outside as a user would.
#include <windows.h>

#include <string>

// Waits for the dialog, picks the file type (counted from 1, as listed),
// types the name (a bare name or a full path) and presses Save, without
// waiting for what follows. The dialog, or null when none came.
HWND PressSaveAs(DWORD processId, const std::wstring& name, int fileType);
// The dialog's own question whether to replace an existing file, answered Yes.
void AnswerReplaceQuestion(DWORD processId, HWND dialog);
// All of it: the name typed, Save pressed, the replace question answered
// when the file exists, and the dialog gone.
void SaveAs(DWORD processId, const std::wstring& path, int fileType, bool exists = false);
