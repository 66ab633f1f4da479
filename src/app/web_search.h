#pragma once
#include "app/search_query.h"

// The term last searched on the web; Alt+E takes it as the new entry's term.
extern wchar_t searchTermBuffer[kSearchTermUnits];

// Opens the search page for searchTermBuffer in the default browser.
void OpenWebSearch();
void ClearSearchUrl();
