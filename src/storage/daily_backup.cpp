#include "storage/daily_backup.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "storage/data_folder.h"
#include "storage/file_links.h"
#include "storage/group_file_name.h"

namespace {

BackupDayClock dayClock = nullptr;
BackupFailureTeller failureTeller = nullptr;
bool failureSeen = false;

CalendarDay Today() {
    if (dayClock) return dayClock();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() && SameFilePath(text.substr(text.size() - suffix.size()), suffix);
}

// The data folder's own files: its group files and its settings file.
bool IsDataFile(const std::wstring& full, std::wstring& folder, std::wstring& name) {
    const std::wstring dataFolder = DataFolder();
    const size_t slash = full.find_last_of(L'\\');
    if (dataFolder.empty() || slash == std::wstring::npos) return false;
    folder = full.substr(0, slash + 1);
    name = full.substr(slash + 1);
    if (!SameFilePath(folder, dataFolder)) return false;
    return EndsWithNoCase(name, L".csv") || SameFilePath(name, Wide(kSettingsFileName));
}

enum class ReadResult { Read, Missing, Held, Failed };

ReadResult ReadAll(const std::wstring& path, std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadResult::Missing;
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? ReadResult::Held : ReadResult::Failed;
    }
    char buffer[64 * 1024];
    for (DWORD read = 0;; bytes.append(buffer, read)) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return ReadResult::Failed;
        if (read == 0) return ReadResult::Read;
    }
}

bool MakeFolder(const std::wstring& folder, bool& made) {
    made = CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
    return made || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Written beside, then renamed: a copy cut short by a crash never counts as today's.
bool WriteCopy(const std::wstring& path, const std::string& bytes) {
    const std::wstring temporary = path + L".tmp";
    // A copy cut short earlier is replaced; a link or a folder of that name is
    // the user's, and writing through it would overwrite what it leads to.
    const DWORD left = GetFileAttributesW(temporary.c_str());
    if (left != INVALID_FILE_ATTRIBUTES) {
        const size_t slash = path.find_last_of(L'\\');
        const std::wstring folder = path.substr(0, slash);
        if ((left & FILE_ATTRIBUTE_DIRECTORY) ||
            !IsOwnEntry(folder, ReachedPath(folder), temporary.substr(slash + 1), left) ||
            !DeleteFileW(temporary.c_str())) {
            return false;
        }
    }
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok = (bytes.empty() || (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                                 nullptr) &&
                                       written == bytes.size())) &&
                    FlushFileBuffers(file.Get());
    const bool closed = CloseHandle(file.Release()) != FALSE;
    if (ok && closed && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temporary.c_str());
    return false;
}

// Removes the copies the backups made in an old day folder, and the folder
// once nothing else is left in it: the user's own files and folders keep it.
void ClearDayFolder(const std::wstring& folder, const std::wstring& folderReached) {
    bool othersLeft = false;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const bool ours = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                          IsBackupCopyName(std::u16string_view(reinterpret_cast<const char16_t*>(name.c_str()), name.size()),
                                           IsNameSafeCharacter) &&
                          IsOwnEntry(folder, folderReached, name, found.dwFileAttributes);
        if (!ours || !DeleteFileW((folder + L"\\" + name).c_str())) othersLeft = true;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (!othersLeft) RemoveDirectoryW(folder.c_str());
}

// Only day folders of their own count: a date-named link or junction leads to
// files the backups never made, and is neither counted nor entered.
void RemoveOldDays(const std::wstring& backupFolder, const CalendarDay& today) {
    const std::wstring reached = ReachedPath(backupFolder);
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((backupFolder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::u16string name(reinterpret_cast<const char16_t*>(found.cFileName));
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDayFolderName(name) &&
            IsOwnEntry(backupFolder, reached, found.cFileName, found.dwFileAttributes)) {
            names.push_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::u16string& old : DayFoldersToRemove(names, today)) {
        ClearDayFolder(backupFolder + Wide(old), reached + L"\\" + Wide(old));
    }
}

void NoteFailure(const std::wstring& full) {
    if (failureSeen) return;
    failureSeen = true;
    if (failureTeller) failureTeller(full);
}

}  // namespace

bool BackUpBeforeReplacing(const std::wstring& path, std::string_view newContent) {
    const std::wstring full = FullPathOf(path);
    std::wstring folder, name;
    if (full.empty() || !IsDataFile(full, folder, name)) return true;
    const std::wstring backupFolder = folder + Wide(kBackupFolderName) + L"\\";
    const CalendarDay today = Today();
    const std::wstring dayFolder = backupFolder + Wide(DayFolderName(today));
    const std::wstring copy = dayFolder + L"\\" + name;
    const DWORD copyAttributes = GetFileAttributesW(copy.c_str());
    // A folder or link of the user's under the copy's name is no copy.
    const bool copyBlocked = copyAttributes != INVALID_FILE_ATTRIBUTES &&
                             (copyAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    if (copyAttributes != INVALID_FILE_ATTRIBUTES && !copyBlocked) return true;
    try {
        std::string old;
        switch (ReadAll(full, old)) {
        case ReadResult::Missing:
            return true;
        case ReadResult::Held:
            // Whether the replace goes ahead all the same is for the caller to see.
            return false;
        case ReadResult::Failed:
            NoteFailure(full);
            return true;
        case ReadResult::Read:
            break;
        }
        if (old == newContent) return true;
        bool madeBackupFolder = false, madeDayFolder = false;
        if (copyBlocked || !MakeFolder(backupFolder, madeBackupFolder) || !MakeFolder(dayFolder, madeDayFolder) ||
            !WriteCopy(copy, old)) {
            NoteFailure(full);
            return true;
        }
        if (madeDayFolder) RemoveOldDays(backupFolder, today);
    } catch (const std::bad_alloc&) {
        NoteFailure(full);
    }
    return true;
}

void TellBackupNotMade(const std::wstring& path) {
    const std::wstring full = FullPathOf(path);
    NoteFailure(full.empty() ? path : full);
}

void SetBackupDayClock(BackupDayClock clock) { dayClock = clock; }

void SetBackupFailureTeller(BackupFailureTeller teller) { failureTeller = teller; }

void ResetBackupFailureNotice() { failureSeen = false; }
