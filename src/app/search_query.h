#pragma once
// The web search the Alt+W hotkey opens: the selected text, form-encoded, as
// the query of a search page.
// Portable: no Windows headers.
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kSearchTermUnits = 1024;     // the search-term buffer
inline constexpr std::size_t kEncodedQueryUnits = 10240;  // nine units per character at most
// The longest URL handed to the shell is 512 units. Wine's shell puts the URL into the browser's command line in
// a fixed buffer of 1024 units and crashes the caller when it overruns (with a 48-unit handler command, a URL of
// 977 units already arrives empty and 1000 units crash); 512 leaves room for handler commands of 500 units.
// Windows's shell takes URLs up to INTERNET_MAX_URL_LENGTH (2083 units).
inline constexpr std::size_t kSearchUrlUnits = 513;
// Whole URL but the query value; one constant so the engine is chosen in one place.
inline constexpr char16_t kSearchUrlFormatPrefix[] = u"https://www.google.com/search?q=";

// Whether a code point (a surrogate pair's whole one) is a letter or digit of any script: the Windows C
// runtime's table below U+0100, then the letters and digits of the scripts a reader is likely to select.
// The same built-in table in every build, so a selection gives the same URL on Windows, Wine and Linux.
bool IsSearchLetterOrDigit(char32_t codePoint);

// Where a site puts the searched text: the query string takes the form encoding (a space as '+'), a path
// segment the percent-encoding (a space as %20, '+' and '/' escaped).
enum class QueryPlacement { QueryString, PathSegment };

// Writes the application/x-www-form-urlencoded form of term (terminated, at most kSearchTermUnits units read) into
// out (capacity kEncodedQueryUnits, always terminated, never overrun) and returns the encoded length in units.
// Letters and digits of any script and * - . _ stay as they are, a space becomes +, and every other
// character is written as the %XX escapes of its UTF-8 bytes.
// In a path segment only - . _ ~ stay besides letters and digits, and a space is %20.
std::size_t EncodeSearchTerm(const char16_t* term, char16_t* out,
                             QueryPlacement placement = QueryPlacement::QueryString);

// Formats prefix + encodedQuery into url (capacity kSearchUrlUnits, always terminated). A longer query is cut
// at the end of the last whole character that fits: never inside a %XX escape, between the escapes of one
// character's UTF-8 bytes, or between the two units of a surrogate pair.
void FormatSearchUrl(const char16_t* encodedQuery, char16_t* url);
// The same for a site's URL: before + encodedQuery + after, the query cut so that after still fits whole.
void FormatSiteUrl(std::u16string_view before, const char16_t* encodedQuery, std::u16string_view after, char16_t* url);
// Where the placeholder of a site's URL stands.
QueryPlacement PlacementIn(std::u16string_view urlBeforeQuery);
