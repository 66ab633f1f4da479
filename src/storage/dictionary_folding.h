#pragma once
// How a dictionary lookup sees text: katakana as hiragana (half-width kana
// too, with their sound marks joined), full-width ASCII and the ideographic
// space as ASCII, and letter case ignored. It folds a term as find folds it,
// but without the system's tables, so that a dictionary can be indexed and
// searched the same way on any platform.
// Portable: no Windows headers.
#include <string>
#include <string_view>

std::u16string FoldForDictionary(std::u16string_view text);
// The same, appended to out: for folding many keys into one buffer.
void AppendFoldedForDictionary(std::u16string_view text, std::u16string& out);
