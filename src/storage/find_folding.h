#pragma once
// How finding sees text, with the system's own mappings: canonical
// equivalents (a letter with a combining mark and the precomposed letter),
// letter case, full and half width, hiragana and katakana are not told apart.
#include <string>
#include <string_view>

std::wstring FoldForFinding(std::wstring_view text);

// Bytes that order texts as the user's locale does, ignoring case, width and
// kana type, digits compared as numbers; compared with memcmp. Empty when the
// system cannot make them.
std::string LocaleSortKey(std::wstring_view text);
// The same order by direct comparison: negative, zero or positive.
int CompareInLocaleOrder(std::wstring_view a, std::wstring_view b);
