#pragma once
// What taking a dictionary entry does to the entry being edited: it fills
// what is empty and adds to the meaning, and never replaces a text the user
// typed or captured. Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/dictionary_lookup.h"

struct EditedTexts {
    std::u16string term, reading, spelling, meaning;
};

// Hiragana, katakana (half-width too) and the marks written with them; false for an empty text.
bool IsWrittenInKana(std::u16string_view text);
// The senses on one line, as the list shows them and the meaning takes them.
std::u16string JoinGlosses(const std::vector<std::u16string>& glosses);

// An empty reading gets the entry's reading; an empty spelling gets the
// headword when the term is written in kana; the glosses go after the
// meaning, on a new line of their own when it is not empty, unless one of
// its lines is already just those glosses. No text grows
// past maxUnits: what would not fit of the glosses is left out.
void TakeDictionaryMatch(const DictionaryMatch& match, EditedTexts& texts, std::size_t maxUnits);
