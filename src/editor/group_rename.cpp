#include "editor/group_rename.h"

#include <string_view>

#include "common/bounded_copy.h"
#include "common/win32_text.h"
#include "editor/group_name.h"
#include "editor/group_save.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

namespace {

// Why a group cannot take this name, if it cannot. adopt: the name is that
// of a file in the data folder that the empty current group may take over.
bool RefuseName(std::u16string_view name, Message& refusal, bool& adopt) {
    adopt = false;
    if (!IsSafeGroupName(name, IsNameSafeCharacter)) {
        refusal = Message::GroupNameUnusable;
        return true;
    }
    // Two groups of one name would write over each other's file.
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (slot != appSettings.currentGroup && SameGroupFile(name, appSettings.groupNames[slot])) {
            refusal = Message::GroupNameTaken;
            return true;
        }
    }
    const std::u16string_view current = appSettings.groupNames[appSettings.currentGroup];
    if (!SameGroupFile(name, current) && GroupFileExists(name)) {
        if (ListRowCount(wordListHandle) > 0) {
            refusal = Message::GroupFileExists;
            return true;
        }
        adopt = true;
    }
    return false;
}

}  // namespace

void FillGroupSelector(HWND dialog) {
    HWND selector = GetDlgItem(dialog, IDC_GROUP_SELECTOR);
    // Inserted by index: the selector sorts what is added, and its index must stay the slot number.
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        SendMessageW(selector, CB_INSERTSTRING, static_cast<WPARAM>(slot),
                     reinterpret_cast<LPARAM>(AsWide(appSettings.groupNames[slot])));
    }
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(appSettings.currentGroup), 0);
}

RenameOutcome RenameCurrentGroup(HWND dialog, RenameMode mode) {
    wchar_t typed[kGroupNameUnits] = {};
    GetDlgItemTextW(dialog, IDC_RENAME, typed, kGroupNameUnits);
    const std::u16string_view name = AsUtf16View(typed);
    const std::u16string_view current = appSettings.groupNames[appSettings.currentGroup];
    if (name.empty() || name == current) {
        SetDlgItemTextW(dialog, IDC_RENAME, L"");
        return RenameOutcome::Unchanged;
    }
    Message refusal{};
    bool adopt = false;
    if (RefuseName(name, refusal, adopt) || (adopt && mode == RenameMode::Quietly)) {
        if (mode == RenameMode::AskUser) ShowMessage(refusal, dialog);
        return RenameOutcome::Refused;
    }
    AppSettings settings = appSettings;
    CopyBounded(settings.groupNames[settings.currentGroup], name);
    ApplyAppSettings(settings);
    SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_RESETCONTENT, 0, 0);
    FillGroupSelector(dialog);
    SetDlgItemTextW(dialog, IDC_RENAME, L"");
    if (!adopt) return RenameOutcome::Renamed;
    // A file made elsewhere, brought in by naming the empty group after it.
    ShowCurrentGroupFromFile();
    SaveSettingsFile();
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    return RenameOutcome::Adopted;
}
