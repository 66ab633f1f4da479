#include "editor/export_dialog.h"

#include <commdlg.h>

#include <new>
#include <string>
#include <vector>

#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"
#include "ui/message_box.h"

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
                                   {ExportKind::Spreadsheet, true, L"csv"}};

std::wstring Wide(std::u16string_view text) { return std::wstring(AsWide(text.data()), text.size()); }

// The open group's rows are the list's (what the user sees, saved or not);
// a closed glossary's are its file's.
std::vector<GlossaryEntry> EntriesOfSlot(int slot) {
    if (registerDialogHandle && wordListHandle && slot == appSettings.currentGroup) return WordListEntries();
    std::vector<GlossaryEntry> entries;
    ReadGroupFileEntries(appSettings.groupNames[slot], entries);
    return entries;
}

void AddGroup(ExportWriter& writer, int slot) {
    const std::u16string_view group = appSettings.groupNames[slot];
    for (const GlossaryEntry& entry : EntriesOfSlot(slot)) {
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
UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notify->hdr.code == CDN_TYPECHANGE) {
            const DWORD index = notify->lpOFN->nFilterIndex;
            if (index >= 1 && index <= std::size(kChoices)) {
                SendMessageW(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(kChoices[index - 1].extension));
            }
        }
    }
    return 0;
}

std::wstring FileTypes() {
    const std::wstring group = L"「" + Wide(appSettings.groupNames[appSettings.currentGroup]) + L"」";
    const std::wstring types[] = {L"フラッシュカード (Anki) - グループ" + group + L" (*.txt)", L"*.txt",
                                  L"フラッシュカード (Anki) - 全グループ (*.txt)",             L"*.txt",
                                  L"表計算 (CSV UTF-8) - グループ" + group + L" (*.csv)",      L"*.csv",
                                  L"表計算 (CSV UTF-8) - 全グループ (*.csv)",                  L"*.csv"};
    std::wstring filter;
    for (const std::wstring& part : types) filter.append(part).push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

bool asking = false;

}  // namespace

bool ExportGlossaryTo(const std::wstring& path, ExportKind kind, bool allGroups) {
    try {
        WaitCursor wait;
        const int current = appSettings.currentGroup;
        ExportWriter writer(kind, allGroups, appSettings.groupNames[current]);
        if (allGroups) {
            for (int slot = 0; slot < kGroupSlotCount; ++slot) {
                if (!SharesAnEarlierSlotsFile(slot)) AddGroup(writer, slot);
            }
        } else {
            AddGroup(writer, current);
        }
        return ReplaceFileContent(path, writer.Bytes());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ExportDialogOpen() { return asking; }

void ExportGlossary(HWND owner) {
    // One Save As at a time: the tray menu stays live while it is open.
    if (asking) return;
    asking = true;
    wchar_t path[MAX_PATH * 2] = {};
    const std::wstring suggested = Wide(appSettings.groupNames[appSettings.currentGroup]);
    wcsncpy_s(path, suggested.c_str(), _TRUNCATE);
    const std::wstring filter = FileTypes();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH * 2;
    ofn.lpstrTitle = L"書き出し";
    ofn.lpstrDefExt = kChoices[0].extension;
    ofn.lpfnHook = SaveDialogHook;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                OFN_NOREADONLYRETURN | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = GetSaveFileNameW(&ofn);
    asking = false;
    if (!chosen) return;
    const DWORD index = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= std::size(kChoices) ? ofn.nFilterIndex : 1;
    const FileChoice& choice = kChoices[index - 1];
    if (!ExportGlossaryTo(path, choice.kind, choice.allGroups)) ShowMessage(Message::ExportFailed, owner, path);
}
