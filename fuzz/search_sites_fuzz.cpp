// Arbitrary bytes as a site file: moving the mark to any site changes only
// marks, and the file then means the same sites with that one chosen.
#include "storage/search_sites.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

bool SameSites(const SiteList& a, const SiteList& b) {
    if (a.sites.size() != b.sites.size() || a.malformedLines != b.malformedLines || a.fromFile != b.fromFile) return false;
    for (std::size_t n = 0; n < a.sites.size(); ++n) {
        if (a.sites[n].name != b.sites[n].name || a.sites[n].url != b.sites[n].url) return false;
    }
    return true;
}

// What is left of a text without its marks and blanks: marking touches nothing else.
std::string WithoutMarks(std::string_view text) {
    std::string rest;
    for (char c : text) {
        if (c != '*' && c != ' ' && c != '\t') rest += c;
    }
    return rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SiteList list = ParseSiteFile(text, 1);
    Require(!list.sites.empty() && list.sites.size() <= kMaxSites && list.chosen < list.sites.size());
    for (const SearchSite& site : list.sites) {
        Require(!site.name.empty() && site.url.find(kQueryPlaceholder) != std::u16string::npos);
    }
    if (!list.fromFile) return 0;
    const std::size_t choices[] = {0, list.sites.size() / 2, list.sites.size() - 1, list.chosen};
    for (std::size_t chosen : choices) {
        const std::string marked = MarkChosenSite(text, chosen);
        Require(WithoutMarks(marked) == WithoutMarks(text));
        const SiteList after = ParseSiteFile(marked, 1);
        Require(SameSites(after, list));
        Require(after.chosen == chosen);
        Require(MarkChosenSite(marked, chosen) == marked);
    }
    return 0;
}
