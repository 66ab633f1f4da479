#include "storage/search_sites_file.h"

#include <windows.h>

#include "common/handles.h"
#include "storage/replacing_file.h"
#include "storage/settings_file.h"

namespace {

constexpr std::size_t kMaxSiteFileBytes = 1 << 20;

std::wstring SiteFilePath() { return std::wstring(kDataDirectoryPrefix) + L"wordHaven-sites.txt"; }

bool ReadSiteFile(std::string& text) {
    text.clear();
    FileHandle file(CreateFileW(SiteFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char buffer[4096];
    for (DWORD read = 0; text.size() < kMaxSiteFileBytes; text.append(buffer, read)) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) || read == 0) break;
    }
    return true;
}

}  // namespace

SiteList LoadSearchSites(std::string& text) {
    if (!ReadSiteFile(text)) return PresetSites();
    return ParseSiteFile(text);
}

bool SaveSearchSiteChoice(std::size_t chosen) {
    std::string text;
    const SiteList list = LoadSearchSites(text);
    const std::string updated = list.fromFile ? MarkChosenSite(text, chosen) : AddPresetSites(text, chosen);
    return ReplaceFileContent(SiteFilePath(), updated);
}
