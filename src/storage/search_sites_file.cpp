#include "storage/search_sites_file.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "common/handles.h"
#include "storage/replacing_file.h"
#include "storage/data_folder.h"
#include "storage/settings.h"

namespace {

// Far beyond any list of sites (at most 100 lines are used); a file this
// large is something else and is left alone.
constexpr uint64_t kMaxSiteFileBytes = 1 << 20;

std::wstring SiteFilePath() { return DataFilePath(kSiteFileName); }

uint64_t ContentOf(std::string_view text) { return std::hash<std::string_view>{}(text) ^ text.size(); }

struct SiteFileText {
    SiteFileState state = SiteFileState::Missing;
    std::string text;
    uint64_t content = 0;
};

SiteFileText ReadSiteFile() {
    SiteFileText file;
    FileHandle handle(CreateFileW(SiteFilePath().c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        file.state = GetLastError() == ERROR_FILE_NOT_FOUND ? SiteFileState::Missing : SiteFileState::Unreadable;
        return file;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle.Get(), &information)) {
        file.state = SiteFileState::Unreadable;
        return file;
    }
    const uint64_t size = static_cast<uint64_t>(information.nFileSizeHigh) << 32 | information.nFileSizeLow;
    const uint64_t written = static_cast<uint64_t>(information.ftLastWriteTime.dwHighDateTime) << 32 |
                             information.ftLastWriteTime.dwLowDateTime;
    file.state = SiteFileState::TooLarge;
    file.content = size * 31 + written;
    if (size > kMaxSiteFileBytes) return file;
    char buffer[4096];
    for (DWORD read = 0;; file.text.append(buffer, read)) {
        if (!ReadFile(handle.Get(), buffer, sizeof buffer, &read, nullptr)) {
            file.state = SiteFileState::Unreadable;
            return file;
        }
        if (read == 0) break;
        if (file.text.size() + read > kMaxSiteFileBytes) return file;  // it grew meanwhile
    }
    file.state = SiteFileState::Read;
    file.content = ContentOf(file.text);
    return file;
}

bool SameSite(const SearchSite& a, const SearchSite& b) { return a.name == b.name && a.url == b.url; }

// The site's place in the list; false when it is not there.
bool FindSite(const SiteList& list, const SearchSite& site, std::size_t& index) {
    const auto found =
        std::find_if(list.sites.begin(), list.sites.end(), [&](const SearchSite& s) { return SameSite(s, site); });
    index = static_cast<std::size_t>(found - list.sites.begin());
    return found != list.sites.end();
}

SiteChoiceSaved Write(const std::string& text) {
    if (!ReplaceFileContent(SiteFilePath(), text)) return {};
    return {SiteChoiceResult::Written, ContentOf(text)};
}

}  // namespace

LoadedSites LoadSearchSites() {
    SiteFileText file = ReadSiteFile();
    LoadedSites loaded;
    loaded.state = file.state;
    loaded.content = file.content;
    loaded.list = file.state == SiteFileState::Read ? ParseSiteFile(file.text, appSettings.languageIndex)
                                                        : PresetSites(appSettings.languageIndex);
    return loaded;
}

SiteChoiceSaved SaveSearchSiteChoice(const SearchSite& site) {
    const SiteFileText file = ReadSiteFile();
    std::size_t index = 0;
    switch (file.state) {
    case SiteFileState::Unreadable:
        return {};
    case SiteFileState::TooLarge:
        return {SiteChoiceResult::LeftAlone};
    case SiteFileState::Missing:
        if (!FindSite(PresetSites(appSettings.languageIndex), site, index)) return {SiteChoiceResult::LeftAlone};
        return Write(NewSiteFile(index, appSettings.languageIndex));
    case SiteFileState::Read:
        break;
    }
    const SiteList list = ParseSiteFile(file.text, appSettings.languageIndex);
    if (!list.fromFile || !FindSite(list, site, index)) return {SiteChoiceResult::LeftAlone};
    const std::string marked = MarkChosenSite(file.text, index);
    if (marked == file.text) return {SiteChoiceResult::Written, file.content};
    return Write(marked);
}
