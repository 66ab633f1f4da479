#pragma once
// Looking a term up in the reader's dictionaries: the entries found under
// it, or under a dictionary form it is an inflection of, best first.
// Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/deinflection.h"
#include "storage/dictionary_index.h"

struct DictionaryMatch {
    std::u16string headword;  // the one the term was found under, else the entry's first
    std::u16string reading;   // likewise; empty when the entry has none
    std::vector<std::u16string> glosses;
    bool common = false;  // EDICT's (P)
    // Empty when the term is the entry's own form (folded); else what the
    // term is of it, as DescribeInflections says it: "past of 食べる".
    std::vector<Inflection> forms;
    std::u16string form;
    std::u16string formBase;  // the dictionary form the description names (the reading when found by it)
    std::size_t dictionary = 0;  // its place in the list looked in
    uint32_t entry = 0;
};

inline constexpr std::size_t kMaxDictionaryMatches = 50;

// The term as typed (folded here; spaces around it ignored), looked up in
// each loaded dictionary by headword and by reading. Exact matches come
// before inflected ones, then common words, then shorter chains of forms,
// then the dictionaries' order and each file's order. An inflected form is
// offered only when the entry's tags allow it.
std::vector<DictionaryMatch> LookUpInDictionaries(const std::vector<const DictionaryIndex*>& dictionaries,
                                                  std::u16string_view term, std::size_t limit = kMaxDictionaryMatches);
