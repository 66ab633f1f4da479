#pragma once
// The web search the Alt+W hotkey opens: the selected text, form-encoded, as
// the query of a search page.
// Portable: no Windows headers.
#include <cstddef>

inline constexpr std::size_t kSearchTermUnits = 1024;     // the search-term buffer
inline constexpr std::size_t kEncodedQueryUnits = 10240;  // nine units per character at most
inline constexpr std::size_t kSearchUrlUnits = 1052;      // a longer URL is cut to 1051 units
// Whole URL but the query value; one constant so the engine is chosen in one place.
inline constexpr char16_t kSearchUrlFormatPrefix[] = u"https://www.google.com/search?q=";

// Whether a UTF-16 unit (or, for a surrogate pair, the whole code point) is a letter or digit of any script.
// Portable builds use a built-in classification; the Windows build asks the system (letter_or_digit_win32.cpp).
bool IsSearchLetterOrDigit(char32_t codePoint);

// Writes the application/x-www-form-urlencoded form of term (terminated, at most kSearchTermUnits units read) into
// out (capacity kEncodedQueryUnits, always terminated, never overrun) and returns the encoded length in units.
// Letters and digits of any script and * - . _ stay as they are, a space becomes +, and every other
// character is written as the %XX escapes of its UTF-8 bytes.
std::size_t EncodeSearchTerm(const char16_t* term, char16_t* out);

// Formats prefix + encodedQuery into url (capacity kSearchUrlUnits): cut to 1051 units and terminated.
void FormatSearchUrl(const char16_t* encodedQuery, char16_t* url);
