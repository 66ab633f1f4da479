#pragma once
// The search site file, wordHaven-sites.txt, beside the settings file.
#include <string>

#include "storage/search_sites.h"

// The sites it lists (the presets when there is no file); text: the file's bytes, empty without one.
SiteList LoadSearchSites(std::string& text);
// Marks the chosen site in the file, creating the file from the presets when
// needed. False when it could not be written (the file is then as it was).
bool SaveSearchSiteChoice(std::size_t chosen);
