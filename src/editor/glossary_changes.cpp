#include "editor/glossary_changes.h"

#include <windows.h>

#include "editor/register_dialog.h"
#include "ui/resource_ids.h"

namespace {

uint64_t changeCount = 0;

}  // namespace

void NoteGlossaryChange() {
    ++changeCount;
    if (registerDialogHandle) EnableWindow(GetDlgItem(registerDialogHandle, IDC_APPLY), TRUE);
}

uint64_t GlossaryChangeCount() { return changeCount; }

void NoteGlossarySaved(uint64_t writtenCount) {
    if (changeCount == writtenCount && registerDialogHandle) {
        EnableWindow(GetDlgItem(registerDialogHandle, IDC_APPLY), FALSE);
    }
}
