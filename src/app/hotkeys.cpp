#include "app/hotkeys.h"

#include <commctrl.h>

#include <string>

#include "app/hotkey_queue.h"
#include "app/selection_capture.h"
#include "app/web_search.h"
#include "common/bounded_copy.h"
#include "editor/edit_dialog.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "ui/message_box.h"

namespace {

// The selected row's term, when the registration dialog is in front.
void SearchSelectedTerm() {
    if (ListSelectedCount(wordListHandle) != 1) return;
    // The row that is selected, which after a move is not always the selection mark.
    const int row = ListNextRow(wordListHandle, -1, LVNI_SELECTED);
    ListGetText(wordListHandle, row, 0, searchTermBuffer, kSearchTermUnits);
    OpenWebSearch();
}

// The edit dialog on a new entry: the word last searched and the text in captureBuffer.
void OpenNewEntry(HWND mainWindow) {
    if (!registerDialogHandle) OpenRegisterDialog(mainWindow);
    CopyBounded(pendingEdit.term, searchTermBuffer);
    CopyBounded(pendingEdit.description, captureBuffer);
    pendingEdit.reading[0] = L'\0';
    pendingEdit.spelling[0] = L'\0';
    pendingEdit.forceChanged = 10;
    pendingEdit.insertNew = 10;
    pendingEdit.targetRow = ListRowCount(wordListHandle);
    RunEditDialog(registerDialogHandle);
}

// In one of the program's own windows the selection is read directly; true when that was the case.
bool WebSearchInOwnWindow() {
    if (!ForegroundIsThisProgram()) return false;
    if (ReadOwnSelection(captureBuffer, kSearchTermUnits)) {
        CopyBounded(searchTermBuffer, captureBuffer);
        OpenWebSearch();
    } else if (registerDialogHandle && GetForegroundWindow() == registerDialogHandle) {
        SearchSelectedTerm();
    }
    return true;
}

bool NewEntryInOwnWindow(HWND mainWindow) {
    if (!ForegroundIsThisProgram()) return false;
    if (ReadOwnSelection(captureBuffer, kSearchTermUnits)) OpenNewEntry(mainWindow);
    return true;
}

}  // namespace

void RegisterHotkeys(HWND mainWindow) {
    struct Hotkey {
        int id;
        UINT key;
        const wchar_t* name;
    };
    static constexpr Hotkey kHotkeys[] = {
        {kHotkeyWebSearch, 'W', L"Alt+W"}, {kHotkeyNewEntry, 'E', L"Alt+E"}, {kHotkeyRegister, 'R', L"Alt+R"}};
    // Each on its own: a key another program holds takes none of the others down,
    // and the one message names every key that is taken, so the user knows what to look for.
    std::wstring taken;
    for (const Hotkey& hotkey : kHotkeys) {
        if (RegisterHotKey(mainWindow, hotkey.id, MOD_ALT, hotkey.key)) continue;
        taken += (taken.empty() ? L"" : L", ") + std::wstring(hotkey.name);
    }
    if (!taken.empty()) ShowMessage(Message::HotkeySetupFailed, mainWindow, taken);
}

LRESULT OnHotkey(HWND mainWindow, WPARAM hotkeyId) {
    QueueHotkey(mainWindow, static_cast<int>(hotkeyId));
    return 0;
}

BYTE BeginHotkey(HWND mainWindow, int hotkeyId) {
    ClearSearchUrl();
    // An exception must not leave the window procedure: it would end the program
    // with every unsaved change. Running out of memory ends only this hotkey.
    try {
        switch (hotkeyId) {
        case kHotkeyWebSearch:
            return WebSearchInOwnWindow() ? 0 : 'W';
        case kHotkeyNewEntry:
            // The edit dialog's loop still delivers hotkeys; a second one would share its record.
            if (EditDialogOpen()) return 0;
            return NewEntryInOwnWindow(mainWindow) ? 0 : 'E';
        case kHotkeyRegister:
            ShowRegisterDialog(mainWindow);
            return 0;
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

void FinishHotkey(HWND mainWindow, int hotkeyId) {
    try {
        if (hotkeyId == kHotkeyWebSearch) {
            CopyBounded(searchTermBuffer, captureBuffer);
            OpenWebSearch();
        } else if (hotkeyId == kHotkeyNewEntry && !EditDialogOpen()) {
            // A dialog opened from the glossary while the copy was awaited keeps the record.
            OpenNewEntry(mainWindow);
        }
    } catch (...) {
        // Whatever the hotkey had not done yet is dropped; the program goes on.
    }
}
