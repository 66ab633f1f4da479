#include "storage/own_files.h"

#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/handles.h"
#include "common/win32_text.h"
#include "storage/backup_days.h"
#include "storage/data_folder.h"
#include "storage/file_links.h"
#include "storage/group_file.h"
#include "storage/group_file_name.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"

namespace {

FileHandle OpenForIdentity(const std::wstring& path) {
    // Attributes only, which no sharing mode refuses; folders need backup semantics to be opened at all.
    return FileHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The name Windows would write for a last path part: a stream names its file,
// and trailing dots and spaces are dropped.
std::wstring FileNamePart(std::wstring name) {
    if (const size_t colon = name.find(L':'); colon != std::wstring::npos) name.resize(colon);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    return name;
}

// A full path resolved as far as it exists: the longest existing start of it
// as the file system names it, then the rest as written.
std::wstring ResolvedPath(const std::wstring& path) {
    std::wstring full = FullPathOf(path);
    if (full.empty()) return {};
    const size_t nameStart = full.find_last_of(L'\\') + 1;
    full = full.substr(0, nameStart) + FileNamePart(full.substr(nameStart));
    const wchar_t* afterRoot = PathSkipRootW(full.c_str());
    const size_t rootLength = afterRoot ? static_cast<size_t>(afterRoot - full.c_str()) : 0;
    for (size_t end = full.size();;) {
        // Long names, the target of links and junctions, letter case as stored.
        std::wstring final = ReachedPath(full.substr(0, end));
        if (!final.empty()) {
            // A folder's final path ends without a backslash, a drive's with one.
            const std::wstring rest = full.substr(end);
            if (!rest.empty() && rest.front() != L'\\' && final.back() != L'\\') final.push_back(L'\\');
            return final + rest;
        }
        if (end <= rootLength) break;
        const size_t slash = full.find_last_of(L'\\', end - 1);
        if (slash == std::wstring::npos) break;
        end = slash < rootLength ? rootLength : slash;
    }
    return full;
}

std::wstring ResolvedDataFolder() {
    std::wstring folder = ResolvedPath(DataFolder());
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    return folder;
}

// The names of the data folder's own files, without folder.
std::vector<std::wstring> OwnFileNames() {
    std::vector<std::wstring> names = {AsWide(kSettingsFileName), kSiteFileName, kSessionEndNotesFileName};
    for (const auto& group : appSettings.groupNames) {
        const std::u16string_view name = group;
        // A name no file may have is never opened; its "file" may lie anywhere.
        if (!IsSafeGroupName(name, IsNameSafeCharacter)) continue;
        const std::wstring path = GroupFilePathOf(name);
        names.push_back(path.substr(path.find_last_of(L'\\') + 1));
    }
    return names;
}

bool IsOwnName(std::wstring_view name, std::wstring_view own) {
    return SameFilePath(name, own) || IsTemporaryFileOf(name, own) || IsKeptCopyOf(name, own, L".orig") ||
           IsKeptCopyOf(name, own, L".bad");
}

struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    DWORD links = 0;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

bool IdentityOf(const std::wstring& path, FileIdentity& identity) {
    const FileHandle file = OpenForIdentity(path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.Get(), &information)) return false;
    identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow,
                information.nNumberOfLinks};
    return true;
}

// Another name of one of the own files, made as a hard link.
bool IsLinkToOwnFile(const std::wstring& path, const std::wstring& dataFolder) {
    FileIdentity target;
    if (!IdentityOf(path, target) || target.links < 2) return false;
    for (const std::wstring& name : OwnFileNames()) {
        FileIdentity own;
        if (IdentityOf(dataFolder + name, own) && own == target) return true;
    }
    return false;
}

}  // namespace

bool IsOwnFile(const std::wstring& path) {
    const std::wstring target = ResolvedPath(path);
    const std::wstring dataFolder = ResolvedDataFolder();
    if (target.empty() || dataFolder.empty()) return false;
    if (IsInsideFolder(target, dataFolder)) {
        const std::wstring_view name = std::wstring_view(target).substr(dataFolder.size());
        const std::u16string_view backupName = kBackupFolderName;
        const std::wstring backup(backupName.begin(), backupName.end());
        if (SameFilePath(name, backup) || IsInsideFolder(name, backup + L"\\")) return true;
        if (name.find(L'\\') == std::wstring_view::npos) {
            for (const std::wstring& own : OwnFileNames()) {
                if (IsOwnName(name, own)) return true;
            }
        }
    }
    return IsLinkToOwnFile(target, dataFolder);
}
