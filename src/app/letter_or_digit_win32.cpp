// The Windows build's letter-or-digit test for the search query: the same
// classification the C runtime and the system apply to text.
#include "app/search_query.h"

#include <windows.h>

#include <cwctype>

bool IsSearchLetterOrDigit(char32_t codePoint) {
    if (codePoint < 0x100) return iswalnum(static_cast<wint_t>(codePoint)) != 0;
    wchar_t units[2];
    int unitCount = 1;
    if (codePoint >= 0x10000) {
        const char32_t offset = codePoint - 0x10000;
        units[0] = static_cast<wchar_t>(0xD800 + (offset >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
        unitCount = 2;
    } else {
        units[0] = static_cast<wchar_t>(codePoint);
    }
    WORD types[2] = {};
    if (!GetStringTypeW(CT_CTYPE1, units, unitCount, types)) return false;
    return (types[0] & (C1_ALPHA | C1_DIGIT)) != 0;
}
