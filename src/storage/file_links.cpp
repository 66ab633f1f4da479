#include "storage/file_links.h"

#include "common/handles.h"
#include "storage/data_folder.h"

namespace {

std::wstring WithoutTrailingSlash(std::wstring path) {
    if (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
    return folder.empty() || folder.back() == L'\\' || folder.back() == L'/' ? folder + name : folder + L"\\" + name;
}

// "\\?\C:\x" is "C:\x", "\\?\UNC\server\share" is "\\server\share".
std::wstring PlainPath(std::wstring path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return path.erase(2, 6);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.erase(0, 4);
    return path;
}

}  // namespace

std::wstring ReachedPath(const std::wstring& path) {
    // No access asked: only the name is wanted, and a file others hold open still answers.
    FileHandle file(CreateFileW(WithoutTrailingSlash(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return {};
    std::wstring reached(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.Get(), reached.data(), static_cast<DWORD>(reached.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < reached.size()) {
            reached.resize(length);
            return PlainPath(std::move(reached));
        }
        reached.resize(length);
    }
}

bool IsOwnEntry(const std::wstring& folder, const std::wstring& folderReached, const std::wstring& name,
                DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || folderReached.empty()) return false;
    const std::wstring reached = ReachedPath(Joined(folder, name));
    return !reached.empty() && SameFilePath(reached, Joined(folderReached, name));
}
