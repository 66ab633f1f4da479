#pragma once
// The dictionary forms an inflected word may be of: Japanese verbs and
// i-adjectives through their usual forms and chains of them (食べさせられなかった
// is the causative, passive, negative past of 食べる), and English plurals,
// -ed, -ing, -er, -est and common irregular forms. Each candidate says what
// the entry it finds must be, so that the dictionary's own part-of-speech
// tags confirm it.
// Portable: no Windows headers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/word_class.h"

enum class Inflection : uint8_t {
    Past,
    TeForm,
    Negative,
    Polite,
    Desire,  // 〜たい
    Potential,
    Passive,
    PotentialOrPassive,  // 〜られる, which is either
    Causative,
    CausativePassive,  // 〜される after a godan stem
    Volitional,
    Imperative,
    ConditionalBa,
    ConditionalTara,
    Progressive,  // 〜ている
    Completion,   // 〜てしまう, 〜ちゃう
    Adverb,       // 高く
    SuruVerb,     // a noun with する: 勉強した is the past of 勉強する
    Plural,
    PastParticiple,
    IngForm,
    Comparative,
    Superlative,
};

struct Deinflection {
    std::u16string text;  // folded as FoldForDictionary folds
    // The entry must be one of these classes; 0 when no tag is needed (English).
    WordClasses classes = 0;
    // From the dictionary form outwards: 食べました is {Polite, Past}.
    std::vector<Inflection> forms;
};

// A term's candidate dictionary forms, shortest chains first, the term itself
// not among them. At most a few hundred, however long or odd the term.
std::vector<Deinflection> Deinflect(std::u16string_view foldedTerm);

// What a description of the forms names: the dictionary form (with する
// after a noun made a verb) and the forms, from it outwards, without a
// te-form that is part of the ending after it.
struct InflectionWording {
    std::u16string base;
    std::vector<Inflection> named;
};
InflectionWording WordInflections(const std::vector<Inflection>& forms, std::u16string_view dictionaryForm);

// In English: "past of 食べる", "causative passive negative past of 食べる".
std::u16string DescribeInflections(const std::vector<Inflection>& forms, std::u16string_view dictionaryForm);
