#include "storage/text_encoding.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Length of the well-formed sequence starting at bytes[pos], or 0.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<uint8_t>(bytes[i]); };
    const uint8_t lead = at(pos);
    if (lead < 0x80) return 1;
    std::size_t length;
    uint8_t secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;   // overlong
        if (lead == 0xED) secondHigh = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;   // overlong
        if (lead == 0xF4) secondHigh = 0x8F;  // past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() - pos < length) return 0;
    if (at(pos + 1) < secondLow || at(pos + 1) > secondHigh) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((at(pos + i) & 0xC0) != 0x80) return 0;
    }
    return length;
}


void AppendUnit(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes, bool* hasMultibyte) {
    bool multibyte = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) return false;
        multibyte = multibyte || length > 1;
        pos += length;
    }
    if (hasMultibyte) *hasMultibyte = multibyte;
    return true;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) return TextEncoding::Utf8WithMark;
    if (bytes.substr(0, kUtf16LeByteOrderMark.size()) == kUtf16LeByteOrderMark) return TextEncoding::Utf16Le;
    if (bytes.substr(0, kUtf16BeByteOrderMark.size()) == kUtf16BeByteOrderMark) return TextEncoding::Utf16Be;
    bool multibyte = false;
    if (IsValidUtf8(bytes, &multibyte) && multibyte) return TextEncoding::Utf8;
    return TextEncoding::Ansi;
}

std::string_view ByteOrderMarkOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8WithMark:
        return kUtf8ByteOrderMark;
    case TextEncoding::Utf16Le:
        return kUtf16LeByteOrderMark;
    case TextEncoding::Utf16Be:
        return kUtf16BeByteOrderMark;
    case TextEncoding::Ansi:
    case TextEncoding::Utf8:
        break;
    }
    return {};
}

bool Utf16BytesToUtf8(std::string_view bytes, bool bigEndian, std::string& utf8) {
    bool exact = bytes.size() % 2 == 0;
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t i) -> char16_t {
        const auto first = static_cast<uint8_t>(bytes[2 * i]);
        const auto second = static_cast<uint8_t>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    };
    utf8.clear();
    utf8.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            c = kReplacementCharacter;
            exact = false;
        }
        AppendUtf8(utf8, c);
    }
    return exact;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    AppendUtf8AsUtf16(utf8, out);
    return out;
}

void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8, pos);
        if (length == 0) {  // not expected from the writer; never dropped silently
            out += static_cast<char16_t>(kReplacementCharacter);
            ++pos;
            continue;
        }
        const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<uint8_t>(utf8[pos + i])); };
        char32_t c = length == 1   ? byte(0)
                     : length == 2 ? (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)
                     : length == 3 ? (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)
                                   : (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                                         (byte(3) & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        pos += length;
    }
}

std::string Utf8ToUtf16Bytes(std::string_view utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (char16_t unit : Utf8ToUtf16(utf8)) AppendUnit(out, unit, bigEndian);
    return out;
}
