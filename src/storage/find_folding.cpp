#include "storage/find_folding.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kLocaleOrderFlags = LINGUISTIC_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE | SORT_DIGITSASNUMBERS;

std::wstring Map(std::wstring_view text, DWORD flags) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    // Width and kana mappings never lengthen a text (two half-width units may
    // become one), so one call into a buffer of the same size does; asking
    // for the size first would map the whole glossary twice.
    std::wstring mapped(text.size() + 16, L'\0');
    int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, mapped.data(),
                             static_cast<int>(mapped.size()), nullptr, nullptr, 0);
    if (size <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
        mapped.assign(static_cast<size_t>(std::max(size, 0)), L'\0');
        size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, mapped.data(), size, nullptr, nullptr, 0);
    }
    if (size <= 0) return std::wstring(text);
    mapped.resize(static_cast<size_t>(size));
    return mapped;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The 66 noncharacters (U+FDD0..U+FDEF and every U+xFFFE, U+xFFFF): nothing
// composes with them, and Wine's NormalizeString refuses any text that holds one.
bool IsNoncharacter(wchar_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || c >= 0xFFFE; }
bool IsNoncharacterPair(wchar_t high, wchar_t low) { return (high & 0x3F) == 0x3F && low >= 0xDFFE; }

bool TryCompose(std::wstring& out, std::wstring_view text);

// When the system refuses a text, each line of it is composed on its own,
// so one line it cannot compose leaves the others as they would be alone.
void AppendComposedByLine(std::wstring& out, std::wstring_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] >= L' ') continue;
        const std::wstring_view line = text.substr(start, i - start);
        if (!TryCompose(out, line)) out += line;
        if (i < text.size()) out += text[i];
        start = i + 1;
    }
}

// Appends the composed form of a text that holds no unpaired surrogate or
// noncharacter; false, leaving out as it was, when the system refuses.
bool TryCompose(std::wstring& out, std::wstring_view text) {
    if (text.empty()) return true;
    const int length = static_cast<int>(text.size());
    // Composing mostly shortens a text; the few letters it lengthens get the
    // room the system then asks for.
    int room = length + length / 8 + 16;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const size_t base = out.size();
        out.resize(base + static_cast<size_t>(room));
        const int size = NormalizeString(NormalizationC, text.data(), length, out.data() + base, room);
        if (size > 0) {
            out.resize(base + static_cast<size_t>(size));
            return true;
        }
        out.resize(base);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        room = std::max(room * 2, -size);
    }
    return false;
}

void AppendComposed(std::wstring& out, std::wstring_view text) {
    if (!TryCompose(out, text)) AppendComposedByLine(out, text);
}

// The composed form of a stretch, as NormalizeString gives it. It refuses a
// whole text for one unpaired surrogate (and Wine's for one noncharacter), so
// such a unit is kept as it is and the stretches between are composed on their
// own: a text then folds the same alone as among others.
void AppendComposedStretch(std::wstring& out, std::wstring_view text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        size_t units = 0;
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            units = IsNoncharacterPair(c, text[i + 1]) ? 2 : 0;
            if (units == 0) {
                ++i;
                continue;
            }
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || IsNoncharacter(c)) {
            units = 1;
        } else {
            continue;
        }
        AppendComposed(out, text.substr(start, i - start));
        out += text.substr(i, units);
        i += units - 1;
        start = i + 1;
    }
    AppendComposed(out, text.substr(start));
}

// Asking whether text is composed already costs far less than composing it,
// and nearly all text is: a long text is asked about in stretches, so one
// combining mark does not have the whole of it composed. A stretch ends after
// a control character, which nothing composes with. False, leaving out
// untouched, when the text is composed already: no copy of it is made.
bool ComposeIfNeeded(std::wstring_view text, std::wstring& out) {
    constexpr size_t kStretch = 16384;
    bool composing = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = std::min(text.size(), start + kStretch);
        while (end < text.size() && text[end - 1] >= L' ') ++end;
        const std::wstring_view stretch = text.substr(start, end - start);
        const bool composed = IsNormalizedString(NormalizationC, stretch.data(), static_cast<int>(stretch.size())) != FALSE;
        if (!composed && !composing) {
            // The first stretch that needs it: what came before goes out as it is.
            composing = true;
            out.clear();
            out.reserve(text.size());
            out.append(text.substr(0, start));
        }
        if (composing) {
            if (composed) {
                out += stretch;
            } else {
                AppendComposedStretch(out, stretch);
            }
        }
        start = end;
    }
    return composing;
}

}  // namespace

std::wstring FoldForFinding(std::wstring_view text) {
    // Composed before the width and kana mapping, which knows no combining
    // marks (e + U+0301 must become é before e turns full width), and again
    // after it, which may leave a mark after a letter it widened (ｶ + U+3099).
    // Text composed already is not copied: copies of a whole group are slow
    // to allocate.
    std::wstring composed;
    std::wstring folded = Map(ComposeIfNeeded(text, composed) ? std::wstring_view(composed) : text,
                              LCMAP_FULLWIDTH | LCMAP_HIRAGANA);
    if (ComposeIfNeeded(folded, composed)) folded.swap(composed);
    // Case in place: a second mapping of the whole glossary would cost as much again as reading it.
    if (!folded.empty()) CharLowerBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

std::string LocaleSortKey(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const DWORD flags = LCMAP_SORTKEY | kLocaleOrderFlags;
    std::string key(text.size() * 4 + 32, '\0');
    int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, reinterpret_cast<LPWSTR>(key.data()),
                             static_cast<int>(key.size()), nullptr, nullptr, 0);
    if (size <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
        if (size > 0) {
            key.assign(static_cast<size_t>(size), '\0');
            size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length,
                                 reinterpret_cast<LPWSTR>(key.data()), size, nullptr, nullptr, 0);
        }
    }
    if (size <= 0) return {};
    key.resize(static_cast<size_t>(size));
    return key;
}

int CompareInLocaleOrder(std::wstring_view a, std::wstring_view b) {
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, kLocaleOrderFlags, a.data(), static_cast<int>(a.size()),
                                       b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    if (result == 0) return a.compare(b);
    return result - CSTR_EQUAL;
}
