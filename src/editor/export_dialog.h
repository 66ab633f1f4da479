#pragma once
// "書き出し…": the current group or all groups to a file of the user's
// choice, as Anki flashcards or as a spreadsheet, through the Save As dialog.
#include <windows.h>

#include <string>

#include "storage/export_format.h"

// Asks where to and in which form (the Save As dialog's file types), then
// writes; a failure is told, and an existing file is then left as it was.
void ExportGlossary(HWND owner);

// While the Save As dialog is open the program must not end under it.
bool ExportDialogOpen();

// The writing itself: the open glossary's rows as they stand (saved or not),
// the other groups as their files hold them. False when the file could not be written.
bool ExportGlossaryTo(const std::wstring& path, ExportKind kind, bool allGroups);
