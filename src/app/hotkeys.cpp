#include "app/hotkeys.h"

#include <commctrl.h>

#include <string>

#include "app/selection_capture.h"
#include "app/web_search.h"
#include "common/bounded_copy.h"
#include "editor/edit_dialog.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "ui/message_box.h"

namespace {

constexpr DWORD kBeforeRestoreWait = 50;
constexpr DWORD kAfterRestoreWait = 500;

void ClosingSteps(Capture& capture, HWND owner) {
    WaitAnsweringSentMessages(kBeforeRestoreWait);
    RestoreClipboard(capture, owner);
    WaitAnsweringSentMessages(kAfterRestoreWait);
}

// The selected row's term, when the registration dialog is in front.
void SearchSelectedTerm() {
    if (ListSelectedCount(wordListHandle) != 1) return;
    // The row that is selected, which after a move is not always the selection mark.
    const int row = ListNextRow(wordListHandle, -1, LVNI_SELECTED);
    ListGetText(wordListHandle, row, 0, searchTermBuffer, kSearchTermUnits);
    OpenWebSearch();
}

// True when the hotkey should go on with captureBuffer.
bool CaptureFor(Capture& capture, BYTE letterKey, HWND owner) {
    switch (CaptureSelection(capture, letterKey)) {
    case CaptureResult::Captured:
        return true;
    case CaptureResult::NoText:
        // The copy replaced the clipboard with something else; the user gets theirs back.
        RestoreClipboard(capture, owner);
        return false;
    case CaptureResult::Unchanged:
        break;
    }
    return false;
}

void OnWebSearch(HWND mainWindow) {
    if (ForegroundIsThisProgram()) {
        if (ReadOwnSelection(captureBuffer, kSearchTermUnits)) {
            CopyBounded(searchTermBuffer, captureBuffer);
            OpenWebSearch();
        } else if (registerDialogHandle && GetForegroundWindow() == registerDialogHandle) {
            SearchSelectedTerm();
        }
        return;
    }
    Capture capture;
    if (!CaptureFor(capture, 'W', mainWindow)) return;
    CopyBounded(searchTermBuffer, captureBuffer);
    OpenWebSearch();
    ClosingSteps(capture, mainWindow);
}

void OnNewEntry(HWND mainWindow) {
    // The edit dialog's loop still delivers hotkeys; a second one would share its record.
    if (EditDialogOpen()) return;
    Capture capture;
    const bool ownWindow = ForegroundIsThisProgram();
    if (ownWindow ? !ReadOwnSelection(captureBuffer, kSearchTermUnits) : !CaptureFor(capture, 'E', mainWindow)) return;
    if (!registerDialogHandle) OpenRegisterDialog(mainWindow);
    CopyBounded(pendingEdit.term, searchTermBuffer);
    CopyBounded(pendingEdit.description, captureBuffer);
    pendingEdit.reading[0] = L'\0';
    pendingEdit.spelling[0] = L'\0';
    pendingEdit.forceChanged = 10;
    pendingEdit.insertNew = 10;
    pendingEdit.targetRow = ListRowCount(wordListHandle);
    RunEditDialog(registerDialogHandle);
    if (!ownWindow) ClosingSteps(capture, mainWindow);
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
    ClearSearchUrl();
    // An exception must not leave the window procedure: it would end the program
    // with every unsaved change. Running out of memory ends only this hotkey.
    try {
        switch (hotkeyId) {
        case kHotkeyWebSearch:
            OnWebSearch(mainWindow);
            break;
        case kHotkeyNewEntry:
            OnNewEntry(mainWindow);
            break;
        case kHotkeyRegister:
            ShowRegisterDialog(mainWindow);
            break;
        default:
            break;
        }
    } catch (...) {
        // Whatever the hotkey had not done yet is dropped; the program goes on.
    }
    return 0;
}
