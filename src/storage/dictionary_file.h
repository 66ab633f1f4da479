#pragma once
// One dictionary file as bytes: which kind it is, told from its content, and
// the entry one line holds. EDICT and EDICT2 (見出し;見だし [よみ;ヨミ] /(pos) gloss/gloss/(P)/EntL…/)
// in EUC-JP or UTF-8, and two tab-separated columns (word, meaning).
// Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/word_class.h"

enum class DictionaryFormat {
    None,  // neither: not read as a dictionary
    Edict,
    Tabbed,
};

enum class DictionaryEncoding { Utf8, EucJp };

struct DictionaryKind {
    DictionaryFormat format = DictionaryFormat::None;
    DictionaryEncoding encoding = DictionaryEncoding::Utf8;
};

// Larger files are not read (the full EDICT is 19 MB), nor longer lines (its
// longest is under 2 kB): a damaged file costs bounded time and memory.
inline constexpr std::size_t kMaxDictionaryBytes = std::size_t{256} << 20;
inline constexpr std::size_t kMaxDictionaryLineBytes = std::size_t{64} << 10;

// Decided by the lines in the file's first 64 kB (after any UTF-8 mark): the
// encoding in which they decode, and the shape most of them have. A NUL byte
// there makes the file binary, never a dictionary.
DictionaryKind DetectDictionaryKind(std::string_view bytes);

// Bytes in the encoding as UTF-16; what does not decode becomes U+FFFD.
void AppendDictionaryText(std::string_view bytes, DictionaryEncoding encoding, std::u16string& out);

// The words a line is found under, with the markers EDICT2 puts after them
// ("(P)", "(iK)", a reading's "(見出し)") taken off.
struct DictionaryHead {
    std::vector<std::u16string> headwords;  // never empty for an entry
    std::vector<std::u16string> readings;   // empty when the headword is its own reading
    bool common = false;                    // a "(P)" on a headword or reading
};

struct DictionaryRecord : DictionaryHead {
    // The senses, with their part-of-speech tags taken off the front (the
    // sense number stays): "(v1,vt) (1) to eat" is "(1) to eat".
    std::vector<std::u16string> glosses;
    WordClasses classes = 0;  // every class the tags name
};

// One line without its line end (a CR before it is taken off here). False
// when the line holds no entry: blank, of another shape, or too long.
bool ReadDictionaryHead(std::string_view line, DictionaryKind kind, DictionaryHead& head);
bool ReadDictionaryRecord(std::string_view line, DictionaryKind kind, DictionaryRecord& record);
