#include "storage/data_folder.h"

#include <windows.h>

namespace {

std::wstring fixedFolder;

std::wstring CurrentFolder() {
    std::wstring folder;
    for (DWORD size = MAX_PATH;;) {
        folder.resize(size);
        const DWORD length = GetCurrentDirectoryW(size, folder.data());
        if (length == 0) return {};
        if (length < size) {
            folder.resize(length);
            break;
        }
        size = length;
    }
    if (folder.empty() || folder.back() != L'\\') folder.push_back(L'\\');
    return folder;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

void FixDataFolder() { fixedFolder = CurrentFolder(); }

std::wstring DataFolder() { return fixedFolder.empty() ? CurrentFolder() : fixedFolder; }

std::wstring DataFilePath(std::wstring_view name) { return DataFolder().append(name); }

bool SameFilePath(std::wstring_view a, std::wstring_view b) { return EqualNoCase(a, b); }

bool IsInsideFolder(std::wstring_view path, std::wstring_view folderWithSlash) {
    return path.size() > folderWithSlash.size() && EqualNoCase(path.substr(0, folderWithSlash.size()), folderWithSlash);
}

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return {};
    full.resize(length);
    return full;
}
