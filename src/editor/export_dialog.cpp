#include "editor/export_dialog.h"

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "common/bounded_copy.h"
#include "common/handles.h"
#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/group_file_name.h"
#include "storage/own_files.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"
#include "ui/message_box.h"
#include "ui/ui_text.h"

namespace {

struct FileChoice {
    ExportKind kind;
    bool allGroups;
    const wchar_t* extension;
};

// In the order of the Save As dialog's file types (its index counts from 1).
constexpr FileChoice kChoices[] = {{ExportKind::Flashcards, false, L"txt"},
                                   {ExportKind::Flashcards, true, L"txt"},
                                   {ExportKind::Spreadsheet, false, L"csv"},
                                   {ExportKind::Spreadsheet, true, L"csv"},
                                   {ExportKind::FlashcardFields, false, L"txt"},
                                   {ExportKind::FlashcardFields, true, L"txt"}};

// A group's rows for the export; unreadable when its file holds entries the
// export cannot have.
struct GroupRows {
    std::vector<GlossaryEntry> entries;
    bool unreadable = false;
};

// The open group's rows are the list's (what the user sees, saved or not);
// a closed group's are its file's, every text whole, however long.
GroupRows RowsOfSlot(int slot) {
    GroupRows rows;
    if (registerDialogHandle && wordListHandle && slot == appSettings.currentGroup) {
        rows.entries = WordListEntries();
        // A file its load could not read holds entries the list never showed.
        rows.unreadable = GroupFileUnreadable();
    } else {
        rows.unreadable = ReadGroupFileEntries(appSettings.groupNames[slot], rows.entries, SIZE_MAX) ==
                         GroupFileRead::Unreadable;
    }
    return rows;
}

void AddGroup(ExportWriter& writer, int slot, const std::vector<GlossaryEntry>& entries) {
    const std::u16string_view group = appSettings.groupNames[slot];
    for (const GlossaryEntry& entry : entries) {
        const std::u16string_view texts[4] = {AsUtf16View(entry.texts[0].c_str()), AsUtf16View(entry.texts[1].c_str()),
                                              AsUtf16View(entry.texts[2].c_str()), AsUtf16View(entry.texts[3].c_str())};
        writer.AddEntry(texts, group);
    }
}

// Two slots of one name (possible in old settings files) share one file: it is written once.
bool SharesAnEarlierSlotsFile(int slot) {
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (SameGroupFile(appSettings.groupNames[slot], appSettings.groupNames[earlier])) return true;
    }
    return false;
}

// The file type sets the extension added to a name typed without one.
UINT_PTR OnTypeChange(HWND hook, const OFNOTIFYW& notify) {
    const DWORD index = notify.lpOFN->nFilterIndex;
    if (index >= 1 && index <= std::size(kChoices)) {
        SendMessageW(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(kChoices[index - 1].extension));
    }
    return 0;
}

// Refused while the dialog is open, so the user picks another name without starting over.
UINT_PTR OnFileOk(HWND hook, const OFNOTIFYW& notify) {
    const std::wstring chosen(notify.lpOFN->lpstrFile, BoundedLength(notify.lpOFN->lpstrFile, notify.lpOFN->nMaxFile));
    if (!IsOwnFile(chosen)) return 0;
    ShowMessage(Message::ExportTargetIsOwnFile, GetParent(hook), chosen);
    SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);
    return 1;
}

// The file types name the group and run long: the drop-down list is made
// wide enough to show each whole, as the combo box itself is not.
UINT_PTR OnInitDone(HWND hook) {
    HWND types = GetDlgItem(GetParent(hook), cmb1);
    if (!types) return 0;
    const WindowDc dc(types, reinterpret_cast<HFONT>(SendMessageW(types, WM_GETFONT, 0, 0)));
    if (!dc.Get()) return 0;
    int widest = 0;
    const int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        const int length = static_cast<int>(SendMessageW(types, CB_GETLBTEXTLEN, item, 0));
        if (length <= 0) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(types, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
        SIZE size{};
        if (GetTextExtentPoint32W(dc.Get(), text.c_str(), length, &size)) widest = std::max<int>(widest, size.cx);
    }
    const int margins = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
    SendMessageW(types, CB_SETDROPPEDWIDTH, widest + margins, 0);
    return 0;
}

UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const auto& notify = *reinterpret_cast<const OFNOTIFYW*>(lParam);
    switch (notify.hdr.code) {
    case CDN_INITDONE:
        return OnInitDone(hook);
    case CDN_TYPECHANGE:
        return OnTypeChange(hook, notify);
    case CDN_FILEOK:
        return OnFileOk(hook, notify);
    default:
        return 0;
    }
}

std::wstring FileTypes() {
    const std::wstring group = AsWideString(appSettings.groupNames[appSettings.currentGroup]);
    const std::wstring types[] = {UiText(Text::ExportFlashcardsGroup, group),  L"*.txt",
                                  UiText(Text::ExportFlashcardsAll),           L"*.txt",
                                  UiText(Text::ExportSpreadsheetGroup, group), L"*.csv",
                                  UiText(Text::ExportSpreadsheetAll),          L"*.csv",
                                  UiText(Text::ExportFieldsGroup, group),      L"*.txt",
                                  UiText(Text::ExportFieldsAll),               L"*.txt"};
    std::wstring filter;
    for (const std::wstring& part : types) filter.append(part).push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

bool asking = false;
// The folder of the last export of this run; empty before the first.
std::wstring lastExportFolder;

std::wstring DocumentsFolder() {
    PWSTR found = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &found);
    const CoTaskText folder(found);
    return SUCCEEDED(result) && folder ? std::wstring(folder.Get()) : std::wstring();
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The first export of a run opens in the user's Documents folder, never among
// the glossary's own files; later ones where the last one went.
std::wstring StartFolder() {
    if (!lastExportFolder.empty() && IsFolder(lastExportFolder)) return lastExportFolder;
    return DocumentsFolder();
}

// The suggested file carries the folder: the dialog takes a folder given so
// before the one it remembers from earlier runs.
std::wstring SuggestedPath(const std::wstring& folder) {
    const std::u16string_view group = appSettings.groupNames[appSettings.currentGroup];
    const std::wstring name = IsSafeGroupName(group, IsNameSafeCharacter) ? AsWideString(group) : std::wstring();
    if (folder.empty()) return name;
    return folder + (folder.back() == L'\\' ? L"" : L"\\") + name;
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The export's bytes, and the groups it is without because their files could
// not be read, a line each with the group's name and file.
struct CollectedExport {
    std::string bytes;
    std::wstring unreadGroups;
};

CollectedExport Collect(ExportKind kind, bool allGroups) {
    WaitCursor wait;
    const int current = appSettings.currentGroup;
    const int language = appSettings.languageIndex;
    const std::u16string_view labels[kExportColumnCount] = {
        LookUpText(Text::ColumnTerm, language), LookUpText(Text::ColumnReading, language),
        LookUpText(Text::ColumnSpelling, language), LookUpText(Text::ColumnMeaning, language),
        LookUpText(Text::ColumnGroup, language)};
    ExportWriter writer(kind, allGroups, appSettings.groupNames[current], labels);
    std::wstring unread;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (allGroups ? SharesAnEarlierSlotsFile(slot) : slot != current) continue;
        const GroupRows rows = RowsOfSlot(slot);
        if (rows.unreadable) {
            const std::u16string_view name = appSettings.groupNames[slot];
            if (!unread.empty()) unread.push_back(L'\n');
            unread.append(AsWideString(name)).append(L" (").append(GroupFilePathOf(name)).append(L")");
        }
        AddGroup(writer, slot, rows.entries);
    }
    return {writer.TakeBytes(), std::move(unread)};
}

}  // namespace

bool ExportGlossaryTo(HWND owner, const std::wstring& path, ExportKind kind, bool allGroups) {
    if (IsOwnFile(path)) {
        ShowMessage(Message::ExportTargetIsOwnFile, owner, path);
        return false;
    }
    try {
        const CollectedExport collected = Collect(kind, allGroups);
        if (!collected.unreadGroups.empty() &&
            ShowMessage(Message::ExportGroupsUnreadable, owner, collected.unreadGroups) != IDYES) {
            return false;
        }
        WaitCursor wait;
        if (ReplaceFileContent(path, collected.bytes)) return true;
    } catch (const std::bad_alloc&) {
    }
    ShowMessage(Message::ExportFailed, owner, path);
    return false;
}

bool ExportDialogOpen() { return asking; }

void ExportGlossary(HWND owner) {
    // One Save As at a time: the tray menu stays live while it is open.
    if (asking) return;
    asking = true;
    const std::wstring folder = StartFolder();
    wchar_t path[MAX_PATH * 2] = {};
    CopyBounded(path, SuggestedPath(folder).c_str());
    const std::wstring filter = FileTypes();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = static_cast<DWORD>(std::size(path));
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = UiText(Text::ExportCaption);
    ofn.lpstrDefExt = kChoices[0].extension;
    ofn.lpfnHook = SaveDialogHook;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                OFN_NOREADONLYRETURN | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = GetSaveFileNameW(&ofn);
    asking = false;
    if (!chosen) return;
    const std::wstring target(path, BoundedLength(path, std::size(path)));
    lastExportFolder = FolderOf(target);
    const DWORD index = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= std::size(kChoices) ? ofn.nFilterIndex : 1;
    const FileChoice& choice = kChoices[index - 1];
    ExportGlossaryTo(owner, target, choice.kind, choice.allGroups);
}
