#include "storage/group_file_name.h"

#include <algorithm>

namespace {

constexpr char16_t kSpace = u' ';

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char16_t x, char16_t y) { return UpperAscii(x) == UpperAscii(y); });
}

bool IsDeviceDigit(char16_t c) { return (c >= u'1' && c <= u'9') || c == u'¹' || c == u'²' || c == u'³'; }

bool IsReservedDeviceName(std::u16string_view name) {
    // Windows opens the device whatever extension follows, and ignores trailing spaces before it.
    std::u16string_view base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == kSpace) base.remove_suffix(1);
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
        if (EqualsIgnoringAsciiCase(base, device)) return true;
    }
    if (base.size() == 4 && IsDeviceDigit(base[3])) {
        const std::u16string_view stem = base.substr(0, 3);
        return EqualsIgnoringAsciiCase(stem, u"COM") || EqualsIgnoringAsciiCase(stem, u"LPT");
    }
    return false;
}

}  // namespace

bool IsSafeGroupName(std::u16string_view name, NameCharClassifier isNameSafe) {
    if (name.empty() || name.back() == u'.' || name.back() == kSpace) return false;
    if (!std::all_of(name.begin(), name.end(), [&](char16_t c) { return c == kSpace || isNameSafe(c); })) return false;
    return !IsReservedDeviceName(name);
}
