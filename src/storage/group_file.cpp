#include "storage/group_file.h"

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <new>
#include <set>
#include <string>

#include "common/handles.h"
#include "common/win32_text.h"
#include "editor/group_name.h"
#include "editor/group_name_field.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "storage/ansi_text.h"
#include "storage/csv_format.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/message_box.h"

namespace {

constexpr size_t kMaxFieldUnits = kEntryTextUnits - 1;

// Group files that exist but could not be read: saving over one would
// destroy entries the user has never seen, so it is refused until a load works.
std::set<std::wstring> unreadableFiles;

std::wstring GroupFilePath(const AppSettings& settings) {
    return std::wstring(kDataDirectoryPrefix) + AsWide(settings.groupNames[settings.currentGroup]) + L".csv";
}

// A name from an old settings file or pasted past the filter could lead
// outside the data folder or to a device; such a file is never opened.
bool HasSafeName(const AppSettings& settings) {
    return IsSafeGroupName(settings.groupNames[settings.currentGroup], IsNameSafeCharacter);
}

// Encodes every row; false when the code page cannot hold some text.
bool EncodeRows(std::string& content, bool utf8) {
    static wchar_t cells[kCsvFieldCount][kEntryTextUnits];
    std::string fields[kCsvFieldCount];
    const int count = ListRowCount(wordListHandle);
    for (int row = 0; row < count; ++row) {
        std::string_view views[kCsvFieldCount];
        for (int column = 0; column < kCsvFieldCount; ++column) {
            ListGetText(wordListHandle, row, column, cells[column], kEntryTextUnits);
            fields[column].clear();
            if (utf8) {
                AppendUtf8(fields[column], cells[column]);
            } else if (!AppendAnsiLossless(fields[column], cells[column])) {
                return false;
            }
            views[column] = fields[column];
        }
        AppendCsvRecord(content, views);
    }
    return true;
}

void ReportUnreadable(const std::wstring& path) {
    unreadableFiles.insert(path);
    ShowMessage(Message::CsvFileOpenFailed);
}

void SetEntryCount(AppSettings snapshot, int count) {
    snapshot.entryCounts[snapshot.currentGroup] = count;
    ApplyAppSettings(snapshot);
}

void InsertRecords(const std::vector<CsvRecord>& records, UINT codePage) {
    ListSetRedraw(wordListHandle, false);
    SendMessageW(wordListHandle, LVM_SETITEMCOUNT, records.size(), 0);
    int row = 0;
    for (const CsvRecord& record : records) {
        const std::wstring term = DecodeField(record.fields[0], codePage, kMaxFieldUnits);
        ListInsertRow(wordListHandle, row, term.c_str(), row);
        for (int column = 1; column < record.fieldCount; ++column) {
            if (record.fields[column].empty()) continue;
            const std::wstring text = DecodeField(record.fields[column], codePage, kMaxFieldUnits);
            ListSetText(wordListHandle, row, column, text.c_str());
        }
        ++row;
    }
    ListSetRedraw(wordListHandle, true);
}

}  // namespace

int SaveGroupFile() {
    const AppSettings settings = appSettings;
    const std::wstring path = GroupFilePath(settings);
    if (!HasSafeName(settings) || unreadableFiles.count(path)) {
        ShowMessage(Message::CsvFileOpenFailed);
        return -1;
    }

    // Files stay in the ANSI code page, byte for byte as before, unless some
    // text would be lost there; such a file is written as UTF-8 with a BOM.
    std::string content;
    if (!EncodeRows(content, false)) {
        content.assign(kUtf8ByteOrderMark);
        EncodeRows(content, true);
    }

    ReplacingFileWriter writer(path);
    if (!writer.Open() || !writer.Write(content.data(), content.size()) || !writer.Commit()) {
        ShowMessage(Message::CsvFileOpenFailed);
        return -1;
    }
    return 0;
}

int LoadGroupFile() {
    const AppSettings settings = appSettings;
    const std::wstring path = GroupFilePath(settings);
    if (!HasSafeName(settings)) {
        ShowMessage(Message::CsvFileOpenFailed);
        return -1;
    }

    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) unreadableFiles.insert(path);
        SetEntryCount(settings, 0);
        return -1;
    }
    const unsigned long long size =
        (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size ? size : 1]);
    if (!buffer) {
        ReportUnreadable(path);
        return -1;
    }
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        ReportUnreadable(path);
        return -1;
    }
    unsigned long long total = 0;
    while (total < size) {
        const DWORD chunk = static_cast<DWORD>(size - total > 0x40000000 ? 0x40000000 : size - total);
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.get() + total, chunk, &read, nullptr) || read == 0) break;
        total += read;
    }
    file.Reset();
    if (total != size) {
        ReportUnreadable(path);
        return -1;
    }

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::string_view data(buffer.get(), static_cast<size_t>(size));
    UINT codePage = CP_ACP;
    if (data.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        data.remove_prefix(kUtf8ByteOrderMark.size());
        codePage = CP_UTF8;
    }
    const std::vector<CsvRecord> records = ParseCsvRecords(data);
    buffer.reset();
    InsertRecords(records, codePage);

    unreadableFiles.erase(path);
    SetEntryCount(settings, static_cast<int>(records.size() > INT32_MAX ? INT32_MAX : records.size()));
    return 0;
}
