#pragma once
// A loaded dictionary: the file's bytes as they are, where each entry's line
// starts, and a hash of each headword and reading (folded) sorted for
// lookup. An entry is decoded only when a lookup finds it, so a dictionary
// holds little more memory than its file.
// Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/dictionary_file.h"

enum class DictionaryStatus {
    Loaded,          // possibly with no entries, when every line was damaged
    NotADictionary,  // neither format: the caller names the file and skips it
    TooLarge,        // more than kMaxDictionaryBytes
};

// Where a found entry matched: the index of the headword or of the reading
// that folds to the key (the other is -1).
struct DictionaryHit {
    uint32_t entry = 0;
    int headword = -1;
    int reading = -1;
};

class DictionaryIndex {
public:
    // More entries under one key than this are not all returned (the full
    // EDICT has at most a few hundred under one reading).
    static constexpr std::size_t kMaxHitsPerKey = 2048;

    DictionaryIndex() = default;
    explicit DictionaryIndex(std::string bytes);

    DictionaryStatus Status() const { return status_; }
    DictionaryKind Kind() const { return kind_; }
    std::size_t EntryCount() const { return lines_.size(); }
    // Non-blank lines that held no entry (damaged, or of another shape).
    std::size_t SkippedLines() const { return skippedLines_; }
    // Bytes held: the file, the line starts and the keys.
    std::size_t MemoryUsed() const;

    // Appends the entries found under a key folded by FoldForDictionary, in
    // the file's order.
    void Find(std::u16string_view foldedKey, std::vector<DictionaryHit>& hits) const;
    // The whole entry, decoded.
    bool Read(uint32_t entry, DictionaryRecord& record) const;

private:
    struct Key {
        uint32_t hash;
        uint32_t entry;
        bool operator<(const Key& other) const { return hash != other.hash ? hash < other.hash : entry < other.entry; }
    };
    std::string_view Line(uint32_t entry) const;

    DictionaryStatus status_ = DictionaryStatus::NotADictionary;
    DictionaryKind kind_;
    std::string bytes_;
    std::vector<uint32_t> lines_;
    std::vector<Key> keys_;
    std::size_t skippedLines_ = 0;
};

// The hash under which a folded key is indexed.
uint32_t DictionaryKeyHash(std::u16string_view foldedKey);
