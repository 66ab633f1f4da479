#include "storage/replacing_file.h"

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "storage/daily_backup.h"

namespace {

constexpr DWORD kReplaceRetryMilliseconds = 1000;
constexpr DWORD kReplaceRetryPause = 50;
constexpr int kMaxCopyNames = 1000;

bool WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = data.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data.remove_prefix(written);
    }
    return true;
}

// Writes a new file at path, failing if one is there; flushed and closed, or removed again.
bool WriteNewFile(const std::wstring& path, std::string_view data, DWORD creation) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
    const bool closed = CloseHandle(file.Release()) != FALSE;
    if (written && closed) return true;
    DeleteFileW(path.c_str());
    return false;
}

bool IsMomentaryRefusal(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

// One attempt to put the temporary file in place of path.
bool PutInPlace(const std::wstring& temporary, const std::wstring& path, DWORD& error) {
    if (ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    error = GetLastError();
    // Replacing needs a file to replace, and not every volume can; a move does the rest.
    if (error == ERROR_FILE_NOT_FOUND || !IsMomentaryRefusal(error)) {
        if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        error = GetLastError();
    }
    return false;
}

// Replacing keeps the old file's attributes and creation time on Windows;
// where it does not (Wine), they are put back.
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

}  // namespace

bool ReplaceFileContent(const std::wstring& path, std::string_view data) {
    BackUpBeforeReplacing(path, data);
    // A file the user made read-only is not to be written, as opening it for
    // writing would have refused; replacing it by renaming must refuse too.
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool existed = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &old) != FALSE;
    if (existed && (old.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    const std::wstring temporary = path + L".tmp";
    if (!WriteNewFile(temporary, data, CREATE_ALWAYS)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD error = 0;
        if (PutInPlace(temporary, path, error)) {
            if (existed) RestoreKeptAttributes(path, old);
            return true;
        }
        if (!IsMomentaryRefusal(error) || GetTickCount() - start >= kReplaceRetryMilliseconds) break;
        Sleep(kReplaceRetryPause);
    }
    DeleteFileW(temporary.c_str());
    return false;
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
        if (WriteNewFile(name, content, CREATE_NEW)) return name;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}
