#include "editor/glossary_changes.h"

#include <windows.h>

#include "editor/register_dialog.h"
#include "ui/resource_ids.h"

namespace {

uint64_t changeCount = 0;
uint64_t savedCount = 0;

}  // namespace

void NoteGlossaryChange() {
    ++changeCount;
    if (registerDialogHandle) EnableWindow(GetDlgItem(registerDialogHandle, IDC_APPLY), TRUE);
}

uint64_t GlossaryChangeCount() { return changeCount; }

bool GlossaryListChanged() { return changeCount != savedCount; }

void NoteGlossarySaved(uint64_t writtenCount) {
    savedCount = writtenCount;
    HWND dialog = registerDialogHandle;
    if (dialog && !GlossaryListChanged() && GetWindowTextLengthW(GetDlgItem(dialog, IDC_RENAME)) == 0) {
        EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    }
}

void NoteGlossaryShowsFile() { savedCount = changeCount; }
