#include "app/web_search.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/search_site_menu.h"
#include "common/win32_text.h"

wchar_t searchTermBuffer[kSearchTermUnits] = {};

namespace {
char16_t encodedQuery[kEncodedQueryUnits] = {};
char16_t searchUrl[kSearchUrlUnits] = {};
}  // namespace

void ClearSearchUrl() { std::memset(searchUrl, 0, sizeof searchUrl); }

void OpenWebSearch() {
    const std::u16string_view site = ChosenSearchSite().url;
    const std::size_t placeholder = site.find(kQueryPlaceholder);
    const std::u16string_view before = site.substr(0, placeholder);
    EncodeSearchTerm(AsUtf16(searchTermBuffer), encodedQuery, PlacementIn(before));
    FormatSiteUrl(before, encodedQuery, site.substr(placeholder + kQueryPlaceholder.size()), searchUrl);
    ShellExecuteW(nullptr, L"open", AsWide(searchUrl), nullptr, L"", SW_SHOW);
}
