#pragma once
// "書き出し…": the current group or all groups to a file of the user's
// choice, as Anki flashcards or as a spreadsheet, through the Save As dialog.
#include <windows.h>

#include <string>

#include "storage/export_format.h"

// Asks where to and in which form (the Save As dialog's file types), then
// writes. The dialog opens in the user's Documents folder the first time in
// a run, later where the last export went, and refuses the program's own
// files while it is open.
void ExportGlossary(HWND owner);

// While the Save As dialog is open the program must not end under it.
bool ExportDialogOpen();

// The writing itself: the open glossary's rows as they stand (saved or not),
// the other groups as their files hold them. A target that is one of the
// program's own files is refused; groups whose files could not be read are
// named and the user decides whether to write without them. Whatever stops
// the export is told in messages owned by owner, and an existing file is then
// left as it was. True when the file was written.
bool ExportGlossaryTo(HWND owner, const std::wstring& path, ExportKind kind, bool allGroups);
