#pragma once
// How a group file's text is stored, told from its bytes, and the conversions
// between UTF-16 files and the UTF-8 that the record reader and writer use.
// Portable: no Windows headers.
#include <string>
#include <string_view>

enum class TextEncoding {
    Ansi,          // the system's ANSI code page, no mark
    Utf8,          // UTF-8 without a mark, as many other programs write it
    Utf8WithMark,
    Utf16Le,       // always with its mark
    Utf16Be,
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeByteOrderMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeByteOrderMark = "\xFE\xFF";

// A mark decides; without one, valid UTF-8 holding at least one multi-byte
// sequence is UTF-8 (plain ASCII reads the same either way); the rest is ANSI.
TextEncoding DetectTextEncoding(std::string_view bytes);
std::string_view ByteOrderMarkOf(TextEncoding encoding);

// Well-formed UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool IsValidUtf8(std::string_view bytes, bool* hasMultibyte = nullptr);

// One code point (at most U+10FFFF, no surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
// UTF-16 bytes (no mark) to UTF-8. False when something could not be carried
// over as it stood (an odd last byte, an unpaired surrogate, which become U+FFFD).
bool Utf16BytesToUtf8(std::string_view bytes, bool bigEndian, std::string& utf8);
// Well-formed UTF-8 to UTF-16 text, and to UTF-16 bytes (no mark); a
// malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out);
std::string Utf8ToUtf16Bytes(std::string_view utf8, bool bigEndian);
