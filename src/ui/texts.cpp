#include "ui/texts.h"

#include <array>

TextTable EnglishTexts();
TextTable JapaneseTexts();

namespace {

using NameIndex = std::array<const char16_t*, kTextNameCount>;

NameIndex IndexOf(TextTable table) {
    NameIndex index{};
    for (std::size_t n = 0; n < table.count; ++n) {
        const auto name = static_cast<std::size_t>(table.rows[n].name);
        if (name < index.size()) index[name] = table.rows[n].text;
    }
    return index;
}

}  // namespace

TextTable TextsOf(int language) { return language == kEnglish ? EnglishTexts() : JapaneseTexts(); }

const char16_t* LookUpText(Text name, int language) {
    static const std::array<NameIndex, kLanguageCount> indexes = {IndexOf(EnglishTexts()), IndexOf(JapaneseTexts())};
    const auto n = static_cast<std::size_t>(name);
    const char16_t* text = n < indexes[0].size() ? indexes[language == kEnglish ? 0 : 1][n] : nullptr;
    return text ? text : u"";
}

// One pass, so a value that itself holds "%2" stays as it is.
std::u16string FillIn(Text name, int language, std::u16string_view first, std::u16string_view second) {
    const std::u16string_view text = LookUpText(name, language);
    std::u16string filled;
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] == u'%' && n + 1 < text.size() && (text[n + 1] == u'1' || text[n + 1] == u'2')) {
            filled += text[n + 1] == u'1' ? first : second;
            ++n;
        } else {
            filled += text[n];
        }
    }
    return filled;
}
