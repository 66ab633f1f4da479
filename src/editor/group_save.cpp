#include "editor/group_save.h"

#include "editor/word_list.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

namespace {

void SetSortStateInLayout(int state) {
    ViewLayout layout = viewLayout;
    layout.sortStates[0] = state;
    ApplyViewLayout(layout);
}

// After a failed save the list is in stored order; the arrow and the move buttons say so.
void ShowStoredOrder() { ApplySortState(kSortStateStored); }

}  // namespace

bool HasUnsavedChanges(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)) != FALSE; }

void ShowCurrentGroupFromFile() {
    LoadWordListFromGroupFile();
    ApplyColumnWidths();
    ApplySortState(viewLayout.sortStates[0]);
}

bool SaveInStoredOrder(RenameOutcome rename) {
    SetSortStateInLayout(kSortStateStored);
    SortWordList();
    if (SaveWordListToGroupFile() != 0) {
        ShowStoredOrder();
        return false;
    }
    // The settings map the group to its new file: written now, not only at exit.
    if (rename == RenameOutcome::Renamed) SaveSettingsFile();
    return true;
}

bool ApplyChanges(HWND dialog, RenameMode mode) {
    const RenameOutcome rename = RenameCurrentGroup(dialog, mode);
    if (rename == RenameOutcome::Refused) return false;
    if (rename == RenameOutcome::Adopted) return true;  // the list now is that file, unchanged
    SaveColumnWidths();
    const int remembered = viewLayout.sortStates[0];
    if (!SaveInStoredOrder(rename)) return false;
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    SetSortStateInLayout(remembered);
    SortWordList();
    return true;
}

bool SettleUnsavedChanges(HWND dialog) {
    if (!HasUnsavedChanges(dialog)) return true;
    switch (ShowMessage(Message::UnsavedChanges, dialog)) {
    case IDYES:
        return ApplyChanges(dialog, RenameMode::AskUser);
    case IDNO:
        return true;
    default:
        return false;
    }
}
