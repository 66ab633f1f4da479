#include "support/url_log.h"

#include <windows.h>

#include <cstdio>

namespace {
const wchar_t kUrlLog[] = L"C:\\url-log.txt";
}  // namespace

void ClearUrlLog() { DeleteFileW(kUrlLog); }

std::vector<std::string> RecordedUrls() {
    std::vector<std::string> urls;
    FILE* log = _wfopen(kUrlLog, L"rb");
    if (!log) return urls;
    char line[4096];
    while (fgets(line, sizeof line, log)) {
        std::string url(line);
        while (!url.empty() && (url.back() == '\n' || url.back() == '\r')) url.pop_back();
        urls.push_back(url);
    }
    fclose(log);
    return urls;
}
