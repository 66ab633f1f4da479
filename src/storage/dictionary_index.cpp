#include "storage/dictionary_index.h"

#include <algorithm>

#include "storage/dictionary_folding.h"
#include "storage/text_encoding.h"

namespace {

int IndexOfFolded(const std::vector<std::u16string>& words, std::u16string_view foldedKey, std::u16string& buffer) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        buffer.clear();
        AppendFoldedForDictionary(words[i], buffer);
        if (buffer == foldedKey) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

uint32_t DictionaryKeyHash(std::u16string_view foldedKey) {
    uint32_t hash = 2166136261u;  // FNV-1a over the units' bytes
    for (char16_t unit : foldedKey) {
        hash = (hash ^ (unit & 0xFF)) * 16777619u;
        hash = (hash ^ (unit >> 8)) * 16777619u;
    }
    return hash;
}

DictionaryIndex::DictionaryIndex(std::string bytes) {
    if (bytes.size() > kMaxDictionaryBytes) {
        status_ = DictionaryStatus::TooLarge;
        return;
    }
    kind_ = DetectDictionaryKind(bytes);
    if (kind_.format == DictionaryFormat::None) return;
    status_ = DictionaryStatus::Loaded;
    bytes_ = std::move(bytes);
    bytes_.shrink_to_fit();  // a file read in growing steps may hold twice its size

    DictionaryHead head;
    std::u16string folded;
    std::vector<uint32_t> entryHashes;
    std::string_view rest = bytes_;
    if (rest.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) rest.remove_prefix(kUtf8ByteOrderMark.size());
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        const auto start = static_cast<uint32_t>(line.data() - bytes_.data());
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (!ReadDictionaryHead(line, kind_, head)) {
            if (line.find_first_not_of(" \t\r") != std::string_view::npos) ++skippedLines_;
            continue;
        }
        const auto entry = static_cast<uint32_t>(lines_.size());
        lines_.push_back(start);
        entryHashes.clear();
        for (const auto* words : {&head.headwords, &head.readings}) {
            for (const std::u16string& word : *words) {
                folded.clear();
                AppendFoldedForDictionary(word, folded);
                const uint32_t hash = DictionaryKeyHash(folded);
                if (std::find(entryHashes.begin(), entryHashes.end(), hash) != entryHashes.end()) continue;
                entryHashes.push_back(hash);
                keys_.push_back({hash, entry});
            }
        }
    }
    std::sort(keys_.begin(), keys_.end());
    keys_.shrink_to_fit();
    lines_.shrink_to_fit();
}

std::size_t DictionaryIndex::MemoryUsed() const {
    return bytes_.capacity() + lines_.capacity() * sizeof(uint32_t) + keys_.capacity() * sizeof(Key);
}

std::string_view DictionaryIndex::Line(uint32_t entry) const {
    const std::string_view rest = std::string_view(bytes_).substr(lines_[entry]);
    return rest.substr(0, rest.find('\n'));
}

void DictionaryIndex::Find(std::u16string_view foldedKey, std::vector<DictionaryHit>& hits) const {
    const uint32_t hash = DictionaryKeyHash(foldedKey);
    auto it = std::lower_bound(keys_.begin(), keys_.end(), Key{hash, 0});
    DictionaryHead head;
    std::u16string buffer;
    for (std::size_t examined = 0; it != keys_.end() && it->hash == hash && examined < kMaxHitsPerKey; ++it, ++examined) {
        if (!ReadDictionaryHead(Line(it->entry), kind_, head)) continue;
        DictionaryHit hit{it->entry, IndexOfFolded(head.headwords, foldedKey, buffer), -1};
        if (hit.headword < 0) hit.reading = IndexOfFolded(head.readings, foldedKey, buffer);
        if (hit.headword < 0 && hit.reading < 0) continue;  // another key with the same hash
        hits.push_back(hit);
    }
}

bool DictionaryIndex::Read(uint32_t entry, DictionaryRecord& record) const {
    return entry < lines_.size() && ReadDictionaryRecord(Line(entry), kind_, record);
}
