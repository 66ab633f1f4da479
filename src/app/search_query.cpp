#include "app/search_query.h"

#include "common/bounded_copy.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of the term comes out as at most four UTF-8 bytes of three units each.
constexpr std::size_t kLongestEncodedCharacter = 12;

struct EncodedCharacter {
    char16_t units[kLongestEncodedCharacter];
    std::size_t length = 0;
};

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool IsHexDigitOfContinuationByte(char16_t unit) {
    return unit == u'8' || unit == u'9' || unit == u'A' || unit == u'B';  // 10xxxxxx
}

// Whether a character of the encoded query starts at pos (or pos is its end). An escape whose byte is
// a UTF-8 continuation byte, and the low half of a surrogate pair, belong to the character before them.
bool StartsCharacter(std::u16string_view query, std::size_t pos) {
    if (pos >= query.size()) return true;
    if (IsLowSurrogate(query[pos]) && pos > 0 && IsHighSurrogate(query[pos - 1])) return false;
    if (query[pos] == u'%' && pos + 1 < query.size() && IsHexDigitOfContinuationByte(query[pos + 1])) return false;
    return true;
}

// The marks a form-encoded value keeps as they are besides letters and digits.
bool IsUnescapedMark(char32_t codePoint) {
    return codePoint == u'*' || codePoint == u'-' || codePoint == u'.' || codePoint == u'_';
}

void AppendUnit(EncodedCharacter& encoded, char16_t unit) {
    encoded.units[encoded.length++] = unit;
}

void AppendEscapedByte(EncodedCharacter& encoded, char32_t byte) {
    AppendUnit(encoded, u'%');
    AppendUnit(encoded, kHexDigits[(byte >> 4) & 0xF]);
    AppendUnit(encoded, kHexDigits[byte & 0xF]);
}

void AppendEscapedUtf8(EncodedCharacter& encoded, char32_t codePoint) {
    if (codePoint < 0x80) {
        AppendEscapedByte(encoded, codePoint);
    } else if (codePoint < 0x800) {
        AppendEscapedByte(encoded, 0xC0 | (codePoint >> 6));
        AppendEscapedByte(encoded, 0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        AppendEscapedByte(encoded, 0xE0 | (codePoint >> 12));
        AppendEscapedByte(encoded, 0x80 | ((codePoint >> 6) & 0x3F));
        AppendEscapedByte(encoded, 0x80 | (codePoint & 0x3F));
    } else {
        AppendEscapedByte(encoded, 0xF0 | (codePoint >> 18));
        AppendEscapedByte(encoded, 0x80 | ((codePoint >> 12) & 0x3F));
        AppendEscapedByte(encoded, 0x80 | ((codePoint >> 6) & 0x3F));
        AppendEscapedByte(encoded, 0x80 | (codePoint & 0x3F));
    }
}

bool IsUnescapedInPath(char32_t codePoint) {
    return codePoint == u'-' || codePoint == u'.' || codePoint == u'_' || codePoint == u'~';
}

// Encodes the character starting at term[pos] and returns how many units of the term it took.
std::size_t EncodeCharacter(std::u16string_view term, std::size_t pos, EncodedCharacter& encoded,
                            QueryPlacement placement) {
    const char16_t unit = term[pos];
    if (IsHighSurrogate(unit) && pos + 1 < term.size() && IsLowSurrogate(term[pos + 1])) {
        const char32_t codePoint = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{term[pos + 1]} - 0xDC00);
        if (IsSearchLetterOrDigit(codePoint)) {
            AppendUnit(encoded, unit);
            AppendUnit(encoded, term[pos + 1]);
        } else {
            AppendEscapedUtf8(encoded, codePoint);
        }
        return 2;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
        // An unpaired surrogate has no UTF-8 form; it is sent as U+FFFD, as browsers do.
        AppendEscapedUtf8(encoded, kReplacementCharacter);
    } else if (unit == u' ' && placement == QueryPlacement::QueryString) {
        AppendUnit(encoded, u'+');
    } else if (IsSearchLetterOrDigit(unit) ||
               (placement == QueryPlacement::QueryString ? IsUnescapedMark(unit) : IsUnescapedInPath(unit))) {
        AppendUnit(encoded, unit);
    } else {
        AppendEscapedUtf8(encoded, unit);
    }
    return 1;
}

}  // namespace

std::size_t EncodeSearchTerm(const char16_t* term, char16_t* out, QueryPlacement placement) {
    const std::u16string_view text(term, BoundedLength(term, kSearchTermUnits));
    std::size_t outLength = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        EncodedCharacter encoded;
        const std::size_t taken = EncodeCharacter(text, pos, encoded, placement);
        // A full term always fits; should it not, the query ends at a whole character, never inside an escape.
        if (outLength + encoded.length >= kEncodedQueryUnits) break;
        std::copy_n(encoded.units, encoded.length, out + outLength);
        outLength += encoded.length;
        pos += taken;
    }
    out[outLength] = u'\0';
    return outLength;
}

void FormatSearchUrl(const char16_t* encodedQuery, char16_t* url) {
    FormatSiteUrl(kSearchUrlFormatPrefix, encodedQuery, u"", url);
}

QueryPlacement PlacementIn(std::u16string_view urlBeforeQuery) {
    return urlBeforeQuery.find(u'?') == std::u16string_view::npos ? QueryPlacement::PathSegment
                                                                    : QueryPlacement::QueryString;
}

void FormatSiteUrl(std::u16string_view before, const char16_t* encodedQuery, std::u16string_view after, char16_t* url) {
    const std::size_t prefixLength = CopyBounded(url, kSearchUrlUnits, before);
    const std::size_t room = kSearchUrlUnits - 1 - prefixLength;
    if (after.size() > room) after = {};  // sites are checked for room when they are read; never cut inside it
    const std::u16string_view query(encodedQuery, BoundedLength(encodedQuery, kEncodedQueryUnits));
    std::size_t cut = std::min(query.size(), room - after.size());
    // A '%' always starts an escape (the encoder escapes every '%' of the term), so a cut inside one
    // backs up to its '%', and from there to the first escape of its character.
    for (std::size_t back = 1; back <= 2 && cut >= back && cut < query.size(); ++back) {
        if (query[cut - back] == u'%') {
            cut -= back;
            break;
        }
    }
    while (cut > 0 && !StartsCharacter(query, cut)) cut -= std::min<std::size_t>(cut, query[cut] == u'%' ? 3 : 1);
    CopyBounded(url + prefixLength, kSearchUrlUnits - prefixLength, query.substr(0, cut));
    CopyBounded(url + prefixLength + cut, kSearchUrlUnits - prefixLength - cut, after);
}

// One classification for every build: the system's tables differ between Windows and Wine (and cannot
// type a surrogate pair as one character), and the query should not depend on where the program runs.

namespace {

struct CodePointRange {
    char32_t first;
    char32_t last;
};

// Letters and decimal digits from U+0100 on, a compact stand-in for the system's tables covering the
// scripts a reader is likely to select. Devanagari and Thai keep their vowel signs with the letters,
// since hardly a word in them goes without one; optional marks such as Hebrew and Arabic points are left out.
constexpr CodePointRange kLetterOrDigitRanges[] = {
    {0x0100, 0x02C1},  // Latin Extended-A and -B, IPA, modifier letters
    {0x02C6, 0x02D1},
    {0x02E0, 0x02E4},
    {0x02EC, 0x02EC},
    {0x02EE, 0x02EE},
    {0x0370, 0x0374},  // Greek
    {0x0376, 0x0377},
    {0x037A, 0x037D},
    {0x037F, 0x037F},
    {0x0386, 0x0386},
    {0x0388, 0x038A},
    {0x038C, 0x038C},
    {0x038E, 0x03A1},
    {0x03A3, 0x03F5},
    {0x03F7, 0x0481},  // Greek and Cyrillic
    {0x048A, 0x052F},
    {0x0531, 0x0556},  // Armenian
    {0x0559, 0x0559},
    {0x0560, 0x0588},
    {0x05D0, 0x05EA},  // Hebrew
    {0x05EF, 0x05F2},
    {0x0620, 0x064A},  // Arabic, with its two sets of digits
    {0x0660, 0x0669},
    {0x066E, 0x066F},
    {0x0671, 0x06D3},
    {0x06D5, 0x06D5},
    {0x06E5, 0x06E6},
    {0x06EE, 0x06FC},
    {0x06FF, 0x06FF},
    {0x0750, 0x077F},
    {0x0900, 0x0963},  // Devanagari, with its signs but without the dandas
    {0x0966, 0x096F},
    {0x0971, 0x097F},
    {0x0E01, 0x0E3A},  // Thai, with its signs but without the baht sign and the marks of punctuation
    {0x0E40, 0x0E4E},
    {0x0E50, 0x0E59},
    {0x10A0, 0x10C5},  // Georgian
    {0x10C7, 0x10C7},
    {0x10CD, 0x10CD},
    {0x10D0, 0x10FA},
    {0x10FC, 0x11FF},  // Georgian and Hangul Jamo
    {0x1E00, 0x1F15},  // Latin Extended Additional, Greek Extended
    {0x1F18, 0x1F1D},
    {0x1F20, 0x1F45},
    {0x1F48, 0x1F4D},
    {0x1F50, 0x1F57},
    {0x1F59, 0x1F59},
    {0x1F5B, 0x1F5B},
    {0x1F5D, 0x1F5D},
    {0x1F5F, 0x1F7D},
    {0x1F80, 0x1FB4},
    {0x1FB6, 0x1FBC},
    {0x1FBE, 0x1FBE},
    {0x1FC2, 0x1FC4},
    {0x1FC6, 0x1FCC},
    {0x1FD0, 0x1FD3},
    {0x1FD6, 0x1FDB},
    {0x1FE0, 0x1FEC},
    {0x1FF2, 0x1FF4},
    {0x1FF6, 0x1FFC},
    {0x2C60, 0x2C7F},  // Latin Extended-C
    {0x3005, 0x3007},  // 々 〆 〇, written like kanji
    {0x3031, 0x3035},  // kana repeat marks
    {0x303B, 0x303C},
    {0x3041, 0x3096},  // Hiragana
    {0x309D, 0x309F},
    {0x30A1, 0x30FA},  // Katakana, without the middle dot
    {0x30FC, 0x30FF},
    {0x3105, 0x312F},  // Bopomofo
    {0x3131, 0x318E},  // Hangul Compatibility Jamo
    {0x31F0, 0x31FF},  // Katakana Phonetic Extensions
    {0x3400, 0x4DBF},  // CJK Unified Ideographs Extension A
    {0x4E00, 0x9FFF},  // CJK Unified Ideographs
    {0xA640, 0xA66E},  // Cyrillic Extended-B
    {0xA680, 0xA69D},
    {0xA722, 0xA788},  // Latin Extended-D
    {0xA78B, 0xA7FF},
    {0xA960, 0xA97C},  // Hangul Jamo Extended-A
    {0xAB30, 0xAB5A},  // Latin Extended-E
    {0xAB5C, 0xAB69},
    {0xAC00, 0xD7A3},  // Hangul syllables
    {0xD7B0, 0xD7C6},  // Hangul Jamo Extended-B
    {0xD7CB, 0xD7FB},
    {0xF900, 0xFA6D},  // CJK Compatibility Ideographs
    {0xFA70, 0xFAD9},
    {0xFB00, 0xFB06},  // Latin ligatures
    {0xFB50, 0xFBB1},  // Arabic presentation forms, as text copied from documents may hold
    {0xFBD3, 0xFD3D},
    {0xFD50, 0xFD8F},
    {0xFD92, 0xFDC7},
    {0xFDF0, 0xFDFB},
    {0xFE70, 0xFE74},
    {0xFE76, 0xFEFC},
    {0xFF10, 0xFF19},  // fullwidth digits and Latin letters
    {0xFF21, 0xFF3A},
    {0xFF41, 0xFF5A},
    {0xFF66, 0xFFBE},  // halfwidth Katakana and Hangul
    {0xFFC2, 0xFFC7},
    {0xFFCA, 0xFFCF},
    {0xFFD2, 0xFFD7},
    {0xFFDA, 0xFFDC},
    {0x20000, 0x2FA1F},  // CJK Unified Ideographs Extensions B to F, compatibility supplement
    {0x30000, 0x323AF},  // CJK Unified Ideographs Extensions G and H
};

constexpr bool RangesAreOrderedAndApart() {
    for (std::size_t i = 0; i < std::size(kLetterOrDigitRanges); ++i) {
        if (kLetterOrDigitRanges[i].first > kLetterOrDigitRanges[i].last) return false;
        if (i > 0 && kLetterOrDigitRanges[i - 1].last >= kLetterOrDigitRanges[i].first) return false;
    }
    return true;
}
static_assert(RangesAreOrderedAndApart(), "the lookup below needs ordered, non-overlapping ranges");

// As the Windows C runtime's iswalnum in the "C" locale classifies U+0000..U+00FF: ASCII letters and
// digits, the Latin-1 letters (ª µ º and À..ÿ but × and ÷) and the superscript digits ² ³ ¹.
bool IsLatin1LetterOrDigit(char32_t codePoint) {
    if ((codePoint >= u'0' && codePoint <= u'9') || (codePoint >= u'A' && codePoint <= u'Z') ||
        (codePoint >= u'a' && codePoint <= u'z')) {
        return true;
    }
    switch (codePoint) {
        case 0xAA:
        case 0xB2:
        case 0xB3:
        case 0xB5:
        case 0xB9:
        case 0xBA:
            return true;
        case 0xD7:
        case 0xF7:
            return false;
        default:
            return codePoint >= 0xC0 && codePoint <= 0xFF;
    }
}

}  // namespace

bool IsSearchLetterOrDigit(char32_t codePoint) {
    if (codePoint < 0x100) return IsLatin1LetterOrDigit(codePoint);
    const auto after = std::upper_bound(std::begin(kLetterOrDigitRanges), std::end(kLetterOrDigitRanges), codePoint,
                                        [](char32_t c, const CodePointRange& range) { return c < range.first; });
    return after != std::begin(kLetterOrDigitRanges) && codePoint <= std::prev(after)->last;
}
