#pragma once
// The kinds of word that inflect, as bits: what EDICT's part-of-speech tags
// say an entry is, and what a deinflected form requires of the entry it finds.
// Portable: no Windows headers.
#include <cstdint>
#include <string_view>

using WordClasses = uint32_t;

namespace word_class {
inline constexpr WordClasses kIchidan = 1u << 0;          // v1 (食べる)
inline constexpr WordClasses kGodanKu = 1u << 1;          // v5k (書く)
inline constexpr WordClasses kGodanIku = 1u << 2;         // v5k-s (行く)
inline constexpr WordClasses kGodanGu = 1u << 3;          // v5g
inline constexpr WordClasses kGodanSu = 1u << 4;          // v5s
inline constexpr WordClasses kGodanTsu = 1u << 5;         // v5t
inline constexpr WordClasses kGodanNu = 1u << 6;          // v5n
inline constexpr WordClasses kGodanBu = 1u << 7;          // v5b
inline constexpr WordClasses kGodanMu = 1u << 8;          // v5m
inline constexpr WordClasses kGodanRu = 1u << 9;          // v5r
inline constexpr WordClasses kGodanAru = 1u << 10;        // v5r-i (ある)
inline constexpr WordClasses kGodanHonorific = 1u << 11;  // v5aru (なさる)
inline constexpr WordClasses kGodanU = 1u << 12;          // v5u
inline constexpr WordClasses kGodanUSpecial = 1u << 13;   // v5u-s (問う)
inline constexpr WordClasses kKuru = 1u << 14;            // vk (来る)
inline constexpr WordClasses kSuru = 1u << 15;            // vs-i, vs-s (する, 愛する)
inline constexpr WordClasses kSuruNoun = 1u << 16;        // vs (勉強, taking する)
inline constexpr WordClasses kAdjectiveI = 1u << 17;      // adj-i, adj-ix (高い)
inline constexpr WordClasses kDictionaryTags = (1u << 18) - 1;

// Forms between steps of a deinflection, which no entry is tagged with: a
// te-form, a polite form in ます, and the term as typed, which may be anything.
inline constexpr WordClasses kTeForm = 1u << 24;
inline constexpr WordClasses kPolite = 1u << 25;
inline constexpr WordClasses kTerm = 1u << 26;
inline constexpr WordClasses kAny = ~WordClasses{0};
}  // namespace word_class

// The class one EDICT tag (such as "v5k-s" or "adj-i") names; 0 for any other tag.
WordClasses WordClassOfTag(std::string_view tag);

// Whether a word in parentheses at the start of an EDICT sense is one of its
// tags (part of speech, usage, field, dialect: "v5k", "uk", "MA", "ksb:")
// rather than part of the gloss, as "(computer) terminal" is.
bool IsEdictTag(std::string_view tag);
