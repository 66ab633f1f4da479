#include "storage/replacing_file.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "common/handles.h"
#include "storage/daily_backup.h"
#include "storage/data_folder.h"
#include "storage/file_links.h"

namespace {

constexpr DWORD kReplaceRetryMilliseconds = 1000;
constexpr DWORD kReplaceRetryPause = 50;
constexpr int kMaxCopyNames = 1000;
constexpr int kMaxTemporaryNames = 1000;
constexpr wchar_t kTemporaryEnding[] = L".tmp";
// A temporary file is written under this ending and takes kTemporaryEnding
// only once all of it is written, flushed and closed: a save cut off while
// writing never leaves a file that could be offered as the content to restore.
constexpr wchar_t kUnfinishedEnding[] = L".part";

bool WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

enum class NewFile { Written, NameTaken, NotCreated, NotWritten };

// Writes a new file at path, flushed and closed; a file already there is left alone.
NewFile WriteNewFile(const std::wstring& path, std::string_view data) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFile::NameTaken : NewFile::NotCreated;
    }
    const bool written = WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
    const bool closed = CloseHandle(file.Release()) != FALSE;
    return written && closed ? NewFile::Written : NewFile::NotWritten;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsMomentaryRefusal(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// A file just written is often opened for a moment by another program (a
// virus scanner, an indexer, the shell showing the folder), and cannot be
// renamed or removed until it lets go.
template <typename Step>
bool RetriedWhileRefused(Step step) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (step()) return true;
        if (!IsMomentaryRefusal(GetLastError()) || GetTickCount() - start >= kReplaceRetryMilliseconds) return false;
        Sleep(kReplaceRetryPause);
    }
}

bool RenameWhenLetGo(const std::wstring& from, const std::wstring& to) {
    return RetriedWhileRefused([&] { return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE; });
}

void DeleteWhenLetGo(const std::wstring& path) {
    RetriedWhileRefused([&] { return DeleteFileW(path.c_str()) != FALSE; });
}

// NAME.<process>-<count>.tmp beside NAME, written as NAME.<process>-<count>.part.
// A save killed before its rename leaves its file behind; no later save, of
// this run or another, writes over it, as each takes a name that is free.
bool WriteTemporaryBeside(const std::wstring& path, std::string_view data, std::wstring& temporary) {
    static unsigned count = GetTickCount();
    for (int attempt = 0; attempt < kMaxTemporaryNames; ++attempt) {
        wchar_t middle[32];
        std::swprintf(middle, 32, L".%lx-%x", GetCurrentProcessId(), count++);
        temporary = path + middle + kTemporaryEnding;
        if (Exists(temporary)) continue;
        const std::wstring unfinished = path + middle + kUnfinishedEnding;
        switch (WriteNewFile(unfinished, data)) {
        case NewFile::Written:
            if (RenameWhenLetGo(unfinished, temporary)) return true;
            DeleteWhenLetGo(unfinished);
            return false;
        case NewFile::NameTaken:
            continue;
        case NewFile::NotWritten:
            DeleteWhenLetGo(unfinished);
            return false;
        case NewFile::NotCreated:
            return false;
        }
    }
    return false;
}

// One rename puts the new file in place: whoever looks finds either the old
// file or the new one under the name, never neither.
bool MoveIntoPlace(const std::wstring& temporary, const std::wstring& path, DWORD& error) {
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    error = GetLastError();
    return false;
}

// The new file is a new file to the system; the old one's attributes and
// creation time are the user's and are put back.
void RestoreKeptAttributes(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& old) {
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    WIN32_FILE_ATTRIBUTE_DATA now{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &now)) return;
    if ((now.dwFileAttributes & kKept) != (old.dwFileAttributes & kKept)) {
        SetFileAttributesW(path.c_str(), (now.dwFileAttributes & ~kKept) | (old.dwFileAttributes & kKept));
    }
    if (CompareFileTime(&now.ftCreationTime, &old.ftCreationTime) != 0) {
        FileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) SetFileTime(file.Get(), &old.ftCreationTime, nullptr, nullptr);
    }
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() && SameFilePath(text.substr(0, start.size()), start);
}

bool IsHexDigits(std::wstring_view text) {
    return !text.empty() && text.find_first_not_of(L"0123456789abcdefABCDEF") == std::wstring_view::npos;
}

enum class LeftFile { None, Written, Unfinished };

// What name (without folder) is to base: a temporary file a save of base
// left, written in full or cut off while written, or none of its. Saves name
// them base.<process>-<count>.tmp (.part until written), earlier versions
// base.tmp. A name of any other shape is the user's, however alike.
LeftFile LeftBySave(std::wstring_view name, std::wstring_view base) {
    if (name.size() <= base.size() || !SameFilePath(name.substr(0, base.size()), base)) return LeftFile::None;
    const std::wstring_view rest = name.substr(base.size());
    if (SameFilePath(rest, kTemporaryEnding)) return LeftFile::Written;
    const size_t ending = rest.find_last_of(L'.');
    if (rest.front() != L'.' || ending == std::wstring_view::npos || ending == 0) return LeftFile::None;
    const std::wstring_view middle = rest.substr(1, ending - 1);
    const size_t dash = middle.find(L'-');
    if (dash == std::wstring_view::npos || !IsHexDigits(middle.substr(0, dash)) || !IsHexDigits(middle.substr(dash + 1))) {
        return LeftFile::None;
    }
    if (SameFilePath(rest.substr(ending), kTemporaryEnding)) return LeftFile::Written;
    return SameFilePath(rest.substr(ending), kUnfinishedEnding) ? LeftFile::Unfinished : LeftFile::None;
}

std::wstring FullPathOrAsGiven(const std::wstring& path) {
    std::wstring full = FullPathOf(path);
    return full.empty() ? path : full;
}

// The file a save of path replaces: path itself, or the file a symbolic link
// at path leads to, so that the link stays and what it names gets the save.
// Empty when path is a link that leads nowhere: replacing it would put a file
// in the link's place.
std::wstring FileBehind(const std::wstring& path) {
    const std::wstring reached = ReachedPath(path);
    if (reached.empty()) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? L"" : path;
    }
    return SameFilePath(reached, FullPathOrAsGiven(path)) ? path : reached;
}

}  // namespace

bool ReplaceFileContent(const std::wstring& path, std::string_view data) {
    bool backupHeld = !BackUpBeforeReplacing(path, data);
    const std::wstring target = FileBehind(path);
    if (target.empty()) return false;
    // A file the user made read-only is not to be written, as opening it for
    // writing would have refused; replacing it by renaming must refuse too.
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool existed = GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old) != FALSE;
    if (existed && (old.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    std::wstring temporary;
    if (!WriteTemporaryBeside(target, data, temporary)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD error = 0;
        // A program that held the file shut a moment may have let it go by now.
        if (backupHeld) backupHeld = !BackUpBeforeReplacing(path, data);
        if (MoveIntoPlace(temporary, target, error)) {
            if (backupHeld) TellBackupNotMade(path);
            if (existed) RestoreKeptAttributes(target, old);
            return true;
        }
        if (!IsMomentaryRefusal(error) || GetTickCount() - start >= kReplaceRetryMilliseconds) break;
        Sleep(kReplaceRetryPause);
    }
    if (Exists(target)) DeleteFileW(temporary.c_str());
    return false;
}

// base.tmp, as earlier versions named it, base.<x>.tmp, or a save's file still being written.
bool IsTemporaryFileOf(std::wstring_view name, std::wstring_view base) {
    if (LeftBySave(name, base) != LeftFile::None) return true;
    const std::wstring_view ending = kTemporaryEnding;
    if (name.size() < base.size() + ending.size() || !StartsWithNoCase(name, base)) return false;
    std::wstring_view rest = name.substr(base.size());
    if (!StartsWithNoCase(rest.substr(rest.size() - ending.size()), ending)) return false;
    rest.remove_suffix(ending.size());
    if (rest.empty()) return true;
    return rest.front() == L'.' && rest.size() > 1 && rest.find(L'.', 1) == std::wstring_view::npos;
}

bool IsKeptCopyOf(std::wstring_view name, std::wstring_view base, std::wstring_view suffix) {
    const size_t stem = base.size() + suffix.size();
    if (name.size() < stem || !StartsWithNoCase(name, base) || !StartsWithNoCase(name.substr(base.size()), suffix)) {
        return false;
    }
    // KeepCopyBeside's names: the suffix alone, then with 2, 3, ...
    const std::wstring_view number = name.substr(stem);
    return number.find_first_not_of(L"0123456789") == std::wstring_view::npos;
}

void RemoveLeftTemporaries(const std::wstring& path) {
    const std::wstring target = FileBehind(path);
    if (target.empty() || !Exists(target)) return;
    const size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
    const std::wstring folder = nameStart > 0 ? target.substr(0, nameStart) : L".\\";
    const std::wstring base = target.substr(nameStart);
    const std::wstring folderReached = ReachedPath(folder);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((target + L".*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // Under Wine deleting a link deletes the file it leads to.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && LeftBySave(found.cFileName, base) != LeftFile::None &&
            IsOwnEntry(folder, folderReached, found.cFileName, found.dwFileAttributes)) {
            DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

CutOffSave FindCutOffSave(const std::wstring& path) {
    const size_t nameStart = path.find_last_of(L"\\/") + 1;  // npos + 1 is 0
    const std::wstring folder = path.substr(0, nameStart);
    const std::wstring base = path.substr(nameStart);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((path + L".*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::wstring newest;
    FILETIME newestTime{};
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || LeftBySave(found.cFileName, base) != LeftFile::Written) {
            continue;
        }
        if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
            newest = folder + found.cFileName;
            newestTime = found.ftLastWriteTime;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (newest.empty()) return {};
    return {FullPathOrAsGiven(path), FullPathOrAsGiven(newest)};
}

std::wstring KeepCopyBeside(const std::wstring& path, const std::wstring& suffix) {
    // Read as the loads read: other programs may hold the file open.
    FileHandle source(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source) return {};
    std::string content;
    char buffer[64 * 1024];
    for (DWORD read = 0;; content.append(buffer, read)) {
        if (!ReadFile(source.Get(), buffer, sizeof buffer, &read, nullptr)) return {};
        if (read == 0) break;
    }
    source.Reset();
    for (int n = 1; n <= kMaxCopyNames; ++n) {
        const std::wstring name = path + suffix + (n == 1 ? L"" : std::to_wstring(n));
        switch (WriteNewFile(name, content)) {
        case NewFile::Written:
            return name;
        case NewFile::NameTaken:
            continue;
        case NewFile::NotWritten:
            DeleteFileW(name.c_str());  // a partial copy is no copy; the original stays where it is
            return {};
        case NewFile::NotCreated:
            return {};
        }
    }
    return {};
}
