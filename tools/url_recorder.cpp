// Stands in for the browser and the mail program in the test prefix: each
// URL the shell hands over is appended, as a UTF-8 line, to C:\url-log.txt.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    FILE* log = _wfopen(L"C:\\url-log.txt", L"ab");
    if (!log) return 1;
    for (int i = 1; i < argc; ++i) {
        char utf8[8192];
        const int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8, sizeof utf8, nullptr, nullptr);
        if (n > 0) std::fprintf(log, "%s\n", utf8);
    }
    std::fclose(log);
    return 0;
}
