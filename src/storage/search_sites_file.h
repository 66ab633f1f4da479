#pragma once
// The search site file, wordHaven-sites.txt, beside the settings file.
#include <cstdint>

#include "storage/search_sites.h"

enum class SiteFileState { Missing, Read, TooLarge, Unreadable };

struct LoadedSites {
    SiteList list;  // the presets unless the file was read and lists sites
    SiteFileState state = SiteFileState::Missing;
    uint64_t content = 0;  // tells one content of the file from another
};

// The sites the file lists. It is read whole; one too large to be a list of
// sites is not read at all.
LoadedSites LoadSearchSites();

enum class SiteChoiceResult {
    Written,    // the file marks the site (a file is made from the presets when there was none)
    LeftAlone,  // the file cannot hold this choice (too large, no sites of its own, the site gone from it)
    Failed,     // it could not be read or written; it is as it was
};
struct SiteChoiceSaved {
    SiteChoiceResult result = SiteChoiceResult::Failed;
    uint64_t content = 0;  // the file's content after a write
};

// Moves the file's mark to the site, changing nothing else in it.
SiteChoiceSaved SaveSearchSiteChoice(const SearchSite& site);
