#pragma once
// The sites Alt+W can search on: a few presets, and the user's own in a
// UTF-8 text file beside the settings file, one site a line: a name, then a
// URL in which {query} stands for the searched text. The line of the chosen
// site starts with '*'. Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::u16string_view kQueryPlaceholder = u"{query}";
// A site's URL without its query must leave room for the query itself.
inline constexpr std::size_t kMaxSiteUrlUnits = 400;
inline constexpr std::size_t kMaxSites = 100;

struct SearchSite {
    std::u16string name;
    std::u16string url;  // holds kQueryPlaceholder once
};

struct SiteList {
    std::vector<SearchSite> sites;
    std::size_t chosen = 0;
    std::vector<int> malformedLines;  // 1-based, of lines that are neither a site, a comment nor blank
    bool fromFile = false;            // false: the presets stand in for a file without sites
};

// A general web search first (the default), then dictionaries for a reader
// of other languages: in English (language index 0) first those a learner of
// Japanese uses, then the Japanese reader's.
SiteList PresetSites(int language);
// The sites of a site file's text (a byte-order mark is allowed); the presets
// of the language when it lists none.
SiteList ParseSiteFile(std::string_view text, int language);
// The text with the mark moved to the chosen site's line: only marks ("* ")
// are taken away or added; every other byte stays as it was.
std::string MarkChosenSite(std::string_view text, std::size_t chosen);
// A new site file listing the presets, with a word on what it is for and the chosen one marked.
std::string NewSiteFile(std::size_t chosen, int language);
