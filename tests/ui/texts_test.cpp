#include "ui/texts.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

int NameNumber(Text name) { return static_cast<int>(name); }

}  // namespace

TEST(Texts, EveryLanguageHasEveryNameOnceAndNoEmptyText) {
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const TextTable table = TextsOf(language);
        std::map<int, int> seen;
        for (std::size_t n = 0; n < table.count; ++n) {
            ++seen[NameNumber(table.rows[n].name)];
            EXPECT_NE(std::u16string(table.rows[n].text), u"") << "name " << NameNumber(table.rows[n].name);
        }
        for (int name = 0; name < static_cast<int>(kTextNameCount); ++name) {
            EXPECT_EQ(seen[name], 1) << "name " << name;
        }
        EXPECT_EQ(seen.size(), kTextNameCount) << "a row names no text";
    }
}

// A text left untranslated shows as Japanese to a reader who chose English.
TEST(Texts, EnglishHoldsNoJapaneseButWhereItNamesTheLanguage) {
    // The Japanese endings an inflection is named by stay as they are written;
    // two start-up failures are told in Japanese whatever the language.
    const std::set<Text> bilingual = {Text::TrayLanguage,           Text::TrayJapanese,
                                      Text::InflectionDesire,       Text::InflectionConditionalBa,
                                      Text::InflectionConditionalTara, Text::InflectionProgressive,
                                      Text::InflectionCompletion,     Text::WindowClassFailed,
                                      Text::HotkeySetupFailed};
    const TextTable english = TextsOf(kEnglish);
    for (std::size_t n = 0; n < english.count; ++n) {
        if (bilingual.count(english.rows[n].name)) continue;
        for (char16_t c : std::u16string_view(english.rows[n].text)) {
            EXPECT_LT(c, 0x3000) << "name " << NameNumber(english.rows[n].name);
        }
    }
}

TEST(Texts, AccessKeysAreUniqueWithinEachWindowInBothLanguages) {
    const std::vector<std::vector<Text>> windows = {
        {Text::TrayGlossary, Text::TrayFind, Text::TraySearchSites, Text::TrayExport, Text::TrayStartWithWindows,
         Text::TrayLanguage, Text::TrayAbout, Text::TrayExit},
        {Text::TrayEnglish, Text::TrayJapanese},
        {Text::GlossaryGroupLabel, Text::GlossaryRenameLabel, Text::GlossaryNew, Text::GlossaryDelete,
         Text::GlossaryExport, Text::GlossaryApply},
        {Text::FindLabel},
    };
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const std::vector<Text>& window : windows) {
            std::set<wchar_t> keys;
            for (Text name : window) {
                const std::u16string text = LookUpText(name, language);
                const std::size_t amp = text.find(u'&');
                ASSERT_NE(amp, std::u16string::npos) << language << ": name " << NameNumber(name) << " has no key";
                ASSERT_LT(amp + 1, text.size());
                EXPECT_EQ(text.find(u'&', amp + 1), std::u16string::npos) << "one key a text";
                EXPECT_TRUE(keys.insert(std::towlower(text[amp + 1])).second)
                    << language << ": key of name " << NameNumber(name) << " taken";
            }
        }
    }
}

TEST(Texts, FillInReplacesEachPlaceOnceWhateverTheValuesHold) {
    struct Row {
        Text name;
        int language;
        std::u16string first, second, expected;
    };
    const Row rows[] = {
        {Text::FindCount, kEnglish, u"3", u"", u"3 found"},
        {Text::FindCount, kJapanese, u"3", u"", u"3 件"},
        {Text::EditCollectedInGroup, kJapanese, u"本", u"2", u"本 (2件)"},
        {Text::EditCollectedInGroup, kEnglish, u"%2 and %1", u"7", u"%2 and %1 (7)"},
        {Text::ExportFlashcardsGroup, kEnglish, u"100%", u"", u"Flashcards (Anki) - group “100%” (*.txt)"},
        {Text::TrayFind, kEnglish, u"x", u"y", u"&Find"},
    };
    for (const Row& row : rows) EXPECT_EQ(FillIn(row.name, row.language, row.first, row.second), row.expected);
}
