#pragma once
// The edit dialog's list of what the reader's dictionaries hold for its
// term: looked up again as the term changes and when a load of the
// dictionaries ends. A click on an entry, or Alt+1 to Alt+9 anywhere in the
// dialog, takes that entry into the fields.
#include <windows.h>

// Posted to the dialog when a load of the dictionaries has ended.
inline constexpr UINT kDictionariesLoaded = WM_APP + 20;

// Columns, texts and keys; the first lookup. Called once the fields hold their texts.
void SetUpDictionaryList(HWND dialog);
// The dialog is ending: loads that end later are told to no one.
void EndDictionaryList(HWND dialog);
// Looks the term field's text up and shows what was found. listFolder:
// whether the dictionaries folder is looked at first (not when a load has
// just ended: a file that could not be read would be tried again at once,
// and its load end in the same notice, without end).
void ShowDictionaryMatches(HWND dialog, bool listFolder = true);
// The list's notifications; true when it was one of them.
bool OnDictionaryListNotify(HWND dialog, const NMHDR* header);
// Takes the entry on the given row (0 is the first) into the fields; false when there is none.
bool TakeDictionaryRow(HWND dialog, int row);
