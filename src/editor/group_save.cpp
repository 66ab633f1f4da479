#include "editor/group_save.h"

#include <string>

#include "editor/edit_dialog.h"
#include "editor/glossary_changes.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

namespace {

void SetStoredOrderInLayout() { SetWordListSort({0, kSortStateStored}); }

}  // namespace

bool HasUnsavedChanges(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)) != FALSE; }

void ShowCurrentGroupFromFile() {
    LoadWordListFromGroupFile();
    NoteGlossaryShowsFile();
    ApplyColumnWidths();
    ApplySortState();
}

void ShowChangesOfOtherPrograms() {
    if (GlossaryListChanged() || !GroupFileChangedOnDisk()) return;
    // Widths the user dragged are kept across the reload, saved or not.
    SaveColumnWidths();
    ShowCurrentGroupFromFile();
}

// After a failed save the list is in stored order; the arrow and the move buttons say so.
void ShowStoredOrder() { ApplySortState(); }

SaveOutcome SaveGlossary(HWND dialog, RenameMode mode, bool restoreShownOrder) {
    // What another program wrote is saved with the list, not over it.
    ShowChangesOfOtherPrograms();
    RenamePlan plan = PlanRename(dialog, mode);
    if (mode == RenameMode::AskUser) {
        if (plan.kind == RenamePlan::Kind::Refused) return SaveOutcome::NotSaved;
        if (plan.kind == RenamePlan::Kind::Adopt) {
            AdoptFileAsGroup(dialog, plan.name);  // the list now is that file, unchanged
            return SaveOutcome::Adopted;
        }
    }
    const std::u16string newName = plan.kind == RenamePlan::Kind::Rename ? plan.name : std::u16string();
    SaveColumnWidths();
    const WordListSort shownOrder = CurrentWordListSort();
    SetStoredOrderInLayout();
    SortWordList();
    const uint64_t writing = GlossaryChangeCount();
    if (SaveWordListToGroupFile(newName) != 0) {
        ShowStoredOrder();
        return SaveOutcome::NotSaved;
    }
    if (!newName.empty()) TakeGroupName(dialog, newName);
    NoteGlossarySaved(writing);
    if (restoreShownOrder) {
        SetWordListSort(shownOrder);
        SortWordList();
    }
    return SaveOutcome::Saved;
}

bool ApplyChanges(HWND dialog, RenameMode mode) {
    return SaveGlossary(dialog, mode, true) != SaveOutcome::NotSaved;
}

bool SettleUnsavedChanges(HWND dialog) {
    for (;;) {
        HWND editing = EditDialogHoldingChange();
        if (!editing && !HasUnsavedChanges(dialog)) return true;
        const uint64_t before = GlossaryChangeCount();
        const int answer = ShowMessage(editing ? Message::EditedEntryUnsaved : Message::UnsavedChanges,
                                       editing ? editing : dialog);
        if (answer != IDYES && answer != IDNO) return false;
        // Something was added while the question was open: the answer was not about it.
        if (GlossaryChangeCount() != before || EditDialogHoldingChange() != editing) continue;
        if (answer == IDNO) {
            DiscardOpenEditDialog();
            // That answer was about the entry being edited; the list's own changes are still the user's to decide.
            if (editing) continue;
            return true;
        }
        if (editing) {
            const EditAccepted accepted = AcceptOpenEditDialog();
            if (accepted != EditAccepted::Accepted) {
                ShowMessage(EditRefusalMessage(accepted), editing);
                return false;
            }
        }
        return ApplyChanges(dialog, RenameMode::AskUser);
    }
}
