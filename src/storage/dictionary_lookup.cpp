#include "storage/dictionary_lookup.h"

#include <algorithm>
#include <tuple>

#include "storage/dictionary_folding.h"

namespace {

std::u16string_view Trimmed(std::u16string_view text) {
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x3000; };
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

auto RankOf(const DictionaryMatch& match) {
    return std::make_tuple(!match.forms.empty(), !match.common, match.forms.size(), match.dictionary, match.entry);
}

}  // namespace

std::vector<DictionaryMatch> LookUpInDictionaries(const std::vector<const DictionaryIndex*>& dictionaries,
                                                  std::u16string_view term, std::size_t limit) {
    std::vector<DictionaryMatch> matches;
    const std::u16string folded = FoldForDictionary(Trimmed(term));
    if (folded.empty()) return matches;
    std::vector<Deinflection> candidates = Deinflect(folded);
    candidates.insert(candidates.begin(), Deinflection{folded, 0, {}});

    std::vector<DictionaryHit> hits;
    DictionaryRecord record;
    for (std::size_t d = 0; d < dictionaries.size(); ++d) {
        const DictionaryIndex& dictionary = *dictionaries[d];
        // Each entry once, under the first (the best) candidate that finds it.
        std::vector<uint32_t> found;
        for (const Deinflection& candidate : candidates) {
            hits.clear();
            dictionary.Find(candidate.text, hits);
            for (const DictionaryHit& hit : hits) {
                if (std::find(found.begin(), found.end(), hit.entry) != found.end()) continue;
                if (!dictionary.Read(hit.entry, record)) continue;
                if (candidate.classes != 0 && !(candidate.classes & record.classes)) continue;
                found.push_back(hit.entry);
                DictionaryMatch& match = matches.emplace_back();
                const auto pick = [](const std::vector<std::u16string>& words, int index) {
                    return words.empty() ? std::u16string() : words[static_cast<std::size_t>(std::max(index, 0))];
                };
                match.headword = pick(record.headwords, hit.headword);
                match.reading = pick(record.readings, hit.reading);
                match.glosses = std::move(record.glosses);
                match.common = record.common;
                match.forms = candidate.forms;
                if (!match.forms.empty()) {
                    match.formBase = hit.reading >= 0 ? match.reading : match.headword;
                    match.form = DescribeInflections(match.forms, match.formBase);
                }
                match.dictionary = d;
                match.entry = hit.entry;
            }
        }
    }
    std::stable_sort(matches.begin(), matches.end(), [](const DictionaryMatch& a, const DictionaryMatch& b) { return RankOf(a) < RankOf(b); });
    if (matches.size() > limit) matches.resize(limit);
    return matches;
}
