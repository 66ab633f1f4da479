#include "storage/dictionary_take.h"

#include <algorithm>

namespace {

bool IsKanaUnit(char16_t c) {
    return (c >= u'\u3041' && c <= u'\u309F') ||  // hiragana, with its marks
           (c >= u'\u30A0' && c <= u'\u30FF') ||  // katakana, ・ and ー
           (c >= u'\uFF66' && c <= u'\uFF9F');    // half-width katakana
}

// Cut so that no surrogate pair is split.
std::u16string_view CutToUnits(std::u16string_view text, std::size_t units) {
    if (text.size() <= units) return text;
    if (units > 0 && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF) --units;
    return text.substr(0, units);
}

// Whether one of the text's lines (CR LF apart) is exactly this.
bool HasLine(std::u16string_view text, std::u16string_view line) {
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(u"\r\n", start);
        if (text.substr(start, end == std::u16string_view::npos ? end : end - start) == line) return true;
        if (end == std::u16string_view::npos) return false;
        start = end + 2;
    }
}

}  // namespace

bool IsWrittenInKana(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsKanaUnit);
}

std::u16string JoinGlosses(const std::vector<std::u16string>& glosses) {
    std::u16string joined;
    for (const std::u16string& gloss : glosses) {
        if (gloss.empty()) continue;
        if (!joined.empty()) joined += u"; ";
        joined += gloss;
    }
    return joined;
}

void TakeDictionaryMatch(const DictionaryMatch& match, EditedTexts& texts, std::size_t maxUnits) {
    if (texts.reading.empty()) texts.reading = CutToUnits(match.reading, maxUnits);
    if (texts.spelling.empty() && IsWrittenInKana(texts.term) && match.headword != texts.term) {
        texts.spelling = CutToUnits(match.headword, maxUnits);
    }
    const std::u16string glosses = JoinGlosses(match.glosses);
    // Taken again (the key repeats while held, a click follows Alt+1): nothing to add.
    if (glosses.empty() || HasLine(texts.meaning, glosses)) return;
    std::u16string_view separator = texts.meaning.empty() ? u"" : u"\r\n";
    if (texts.meaning.size() + separator.size() >= maxUnits) return;
    texts.meaning += separator;
    texts.meaning += CutToUnits(glosses, maxUnits - texts.meaning.size());
}
