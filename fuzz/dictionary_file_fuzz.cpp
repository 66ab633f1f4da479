// Arbitrary bytes as a dictionary file: loading and looking up never crash,
// overrun or take unbounded time, and every entry a lookup finds is one whose
// headword or reading folds to the term or to a form it deinflects to.
#include <cstddef>
#include <cstdint>
#include <string>

#include "storage/deinflection.h"
#include "storage/dictionary_folding.h"
#include "storage/dictionary_lookup.h"

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

bool FoldsTo(const std::u16string& word, const std::u16string& folded) { return FoldForDictionary(word) == folded; }

void LookUp(const DictionaryIndex& index, std::u16string_view term) {
    // As the lookup takes it: without spaces around it.
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x3000; };
    while (!term.empty() && isSpace(term.front())) term.remove_prefix(1);
    while (!term.empty() && isSpace(term.back())) term.remove_suffix(1);
    const std::u16string folded = FoldForDictionary(term);
    const std::vector<Deinflection> forms = Deinflect(folded);
    for (const DictionaryMatch& match : LookUpInDictionaries({&index}, term)) {
        DictionaryRecord record;
        Require(index.Read(match.entry, record));
        bool found = false;
        for (const auto* words : {&record.headwords, &record.readings}) {
            for (const std::u16string& word : *words) {
                if (match.forms.empty()) {
                    found = found || FoldsTo(word, folded);
                } else {
                    for (const Deinflection& form : forms) found = found || (form.forms == match.forms && FoldsTo(word, form.text));
                }
            }
        }
        Require(found);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const DictionaryIndex index(bytes);
    if (index.Status() != DictionaryStatus::Loaded) return 0;
    for (const char16_t* term : {u"たべた", u"食べさせられなかった", u"ﾀﾍﾞﾙ", u"runs", u"a", u"x"}) LookUp(index, term);
    // Each entry's own words, and the term made of the file's first bytes.
    for (uint32_t entry = 0; entry < index.EntryCount() && entry < 4; ++entry) {
        DictionaryRecord record;
        Require(index.Read(entry, record));
        for (const std::u16string& word : record.headwords) LookUp(index, word);
        for (const std::u16string& word : record.readings) LookUp(index, word + u"ました");
    }
    std::u16string start;
    AppendDictionaryText(std::string_view(bytes).substr(0, 24), index.Kind().encoding, start);
    LookUp(index, start);
    return 0;
}
