#include "app/web_search.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "common/win32_text.h"

wchar_t searchTermBuffer[kSearchTermUnits] = {};

namespace {
char16_t encodedQuery[kEncodedQueryUnits] = {};
char16_t searchUrl[kSearchUrlUnits] = {};
}  // namespace

void ClearSearchUrl() { std::memset(searchUrl, 0, sizeof searchUrl); }

void OpenWebSearch() {
    EncodeSearchTerm(AsUtf16(searchTermBuffer), encodedQuery);
    FormatSearchUrl(encodedQuery, searchUrl);
    ShellExecuteW(nullptr, L"open", AsWide(searchUrl), nullptr, L"", SW_SHOW);
}
