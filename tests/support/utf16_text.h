#pragma once
// UTF-16 text as UTF-8, so that a failing test prints it readably.
#include <string>

#include "storage/text_encoding.h"

inline std::string Utf8Of(std::u16string_view text) {
    std::string bytes, utf8;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    Utf16BytesToUtf8(bytes, false, utf8);
    return utf8;
}
