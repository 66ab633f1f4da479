#include "storage/dictionary_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/debian_edict.h"
#include "support/utf16_text.h"

namespace {

struct Expected {
    std::u16string term, headword, reading;
    std::u16string form;  // empty: found as it is
};

// Whether the lookup offers the entry, and under which form.
::testing::AssertionResult Offers(const std::vector<const DictionaryIndex*>& dictionaries, const Expected& row) {
    const std::vector<DictionaryMatch> matches = LookUpInDictionaries(dictionaries, row.term);
    std::string seen;
    for (const DictionaryMatch& match : matches) {
        if (match.headword == row.headword && match.reading == row.reading) {
            if (match.form == row.form) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << Utf8Of(row.term) << " finds " << Utf8Of(row.headword) << " as \""
                                                 << Utf8Of(match.form) << "\"";
        }
        seen += " " + Utf8Of(match.headword) + "[" + Utf8Of(match.reading) + "]";
    }
    return ::testing::AssertionFailure() << Utf8Of(row.term) << " does not find " << Utf8Of(row.headword) << "; found:" << seen;
}

}  // namespace

TEST(DictionaryLookup, FindsEdictEntriesByHeadwordReadingAndInflectedForm) {
    const DictionaryIndex* edict = DebianEdict();
    ASSERT_NE(edict, nullptr) << DebianEdictMissing();
    ASSERT_EQ(edict->Status(), DictionaryStatus::Loaded);
    EXPECT_EQ(edict->Kind().encoding, DictionaryEncoding::EucJp);
    EXPECT_GT(edict->EntryCount(), 260000u);
    const Expected rows[] = {
        {u"食べる", u"食べる", u"たべる", u""},
        {u"たべる", u"食べる", u"たべる", u""},
        {u"タベル", u"食べる", u"たべる", u""},
        {u"ﾀﾍﾞﾙ", u"食べる", u"たべる", u""},
        {u" 犬\x3000", u"犬", u"いぬ", u""},
        {u"ｃｄ", u"ＣＤ", u"シーディー", u""},
        {u"ぎっくり", u"ぎっくり", u"", u""},
        {u"食べた", u"食べる", u"たべる", u"past of 食べる"},
        {u"行った", u"行く", u"いく", u"past of 行く"},
        {u"読まれる", u"読む", u"よむ", u"passive of 読む"},
        {u"した", u"為る", u"する", u"past of する"},
        {u"来なかった", u"来る", u"くる", u"negative past of 来る"},
        {u"こない", u"来る", u"くる", u"negative of くる"},
        {u"来い", u"来る", u"くる", u"imperative of 来る"},
        {u"高くない", u"高い", u"たかい", u"negative of 高い"},
        {u"高かった", u"高い", u"たかい", u"past of 高い"},
        {u"高ければ", u"高い", u"たかい", u"conditional (ば) of 高い"},
        {u"よくない", u"良い", u"よい", u"negative of よい"},
        {u"食べさせられなかった", u"食べる", u"たべる", u"causative potential or passive negative past of 食べる"},
        {u"食べました", u"食べる", u"たべる", u"polite past of 食べる"},
        {u"書きませんでした", u"書く", u"かく", u"polite negative past of 書く"},
        {u"書きません", u"書く", u"かく", u"polite negative of 書く"},
        {u"泳いだ", u"泳ぐ", u"およぐ", u"past of 泳ぐ"},
        {u"話して", u"話す", u"はなす", u"te-form of 話す"},
        {u"待って", u"待つ", u"まつ", u"te-form of 待つ"},
        {u"死んだ", u"死ぬ", u"しぬ", u"past of 死ぬ"},
        {u"遊ばない", u"遊ぶ", u"あそぶ", u"negative of 遊ぶ"},
        {u"飲めば", u"飲む", u"のむ", u"conditional (ば) of 飲む"},
        {u"走ったら", u"走る", u"はしる", u"conditional (たら) of 走る"},
        {u"帰ろう", u"帰る", u"かえる", u"volitional of 帰る"},
        {u"買え", u"買う", u"かう", u"imperative of 買う"},
        {u"見ろ", u"見る", u"みる", u"imperative of 見る"},
        {u"書ける", u"書く", u"かく", u"potential of 書く"},
        {u"行かせる", u"行く", u"いく", u"causative of 行く"},
        {u"書かされる", u"書く", u"かく", u"causative passive of 書く"},
        {u"問うた", u"問う", u"とう", u"past of 問う"},
        {u"ください", u"下さる", u"くださる", u"imperative of くださる"},
        {u"勉強した", u"勉強", u"べんきょう", u"past of 勉強する"},
        {u"食べている", u"食べる", u"たべる", u"progressive (ている) of 食べる"},
        {u"食べちゃった", u"食べる", u"たべる", u"completed (てしまう) past of 食べる"},
        {u"食べたくない", u"食べる", u"たべる", u"desire (たい) negative of 食べる"},
        {u"たべました", u"食べる", u"たべる", u"polite past of たべる"},
    };
    for (const Expected& row : rows) EXPECT_TRUE(Offers({edict}, row));
}

TEST(DictionaryLookup, OffersNoFormTheEntrysTagsDoNotAllow) {
    const DictionaryIndex* edict = DebianEdict();
    ASSERT_NE(edict, nullptr) << DebianEdictMissing();
    // 橋 is a noun, never a する verb; 高い is no verb; 食べる no godan verb.
    for (const std::u16string term : {u"橋した", u"高いた", u"食べらない", u"犬かった", u""}) {
        const auto matches = LookUpInDictionaries({edict}, term);
        EXPECT_TRUE(matches.empty()) << Utf8Of(term) << " finds " << Utf8Of(matches.empty() ? u"" : matches[0].headword);
    }
}

TEST(DictionaryLookup, RanksExactBeforeInflectedAndCommonFirst) {
    const DictionaryIndex* edict = DebianEdict();
    ASSERT_NE(edict, nullptr) << DebianEdictMissing();
    for (const std::u16string term : {u"きた", u"はし", u"かける", u"みられる"}) {
        const auto matches = LookUpInDictionaries({edict}, term);
        ASSERT_FALSE(matches.empty()) << Utf8Of(term);
        EXPECT_TRUE(matches[0].forms.empty()) << Utf8Of(term) << ": an exact match exists";
        for (std::size_t i = 1; i < matches.size(); ++i) {
            const DictionaryMatch &before = matches[i - 1], &after = matches[i];
            const bool ordered = before.forms.empty() != after.forms.empty() ? before.forms.empty()
                                                                              : before.common || !after.common;
            EXPECT_TRUE(ordered) << Utf8Of(term) << ": " << Utf8Of(before.headword) << " before " << Utf8Of(after.headword);
        }
    }
    EXPECT_LE(LookUpInDictionaries({edict}, u"こう", 5).size(), 5u);
}

TEST(DictionaryLookup, FindsEnglishFormsInATabSeparatedFile) {
    const DictionaryIndex english(
        "run\t走る\nchild\t子供\ngood\t良い\ngo\t行く\nbox\t箱\ncity\t都市\nstop\t止まる\nbig\t大きい\nmake\t作る\n"
        "leaf\t葉\nknife\tナイフ\nhappy\t幸せな\nlie\t横たわる\nglass\tガラス\nwoman\t女性\nRunning\t走ること\n");
    ASSERT_EQ(english.Kind().format, DictionaryFormat::Tabbed);
    const Expected rows[] = {
        {u"RUN", u"run", u"", u""},
        {u"runs", u"run", u"", u"plural of run"},
        {u"ran", u"run", u"", u"past of run"},
        {u"running", u"Running", u"", u""},
        {u"running", u"run", u"", u"-ing form of run"},
        {u"children", u"child", u"", u"plural of child"},
        {u"better", u"good", u"", u"comparative of good"},
        {u"best", u"good", u"", u"superlative of good"},
        {u"went", u"go", u"", u"past of go"},
        {u"gone", u"go", u"", u"past participle of go"},
        {u"boxes", u"box", u"", u"plural of box"},
        {u"cities", u"city", u"", u"plural of city"},
        {u"stopped", u"stop", u"", u"past of stop"},
        {u"bigger", u"big", u"", u"comparative of big"},
        {u"biggest", u"big", u"", u"superlative of big"},
        {u"making", u"make", u"", u"-ing form of make"},
        {u"made", u"make", u"", u"past of make"},
        {u"leaves", u"leaf", u"", u"plural of leaf"},
        {u"knives", u"knife", u"", u"plural of knife"},
        {u"happier", u"happy", u"", u"comparative of happy"},
        {u"happiest", u"happy", u"", u"superlative of happy"},
        {u"lying", u"lie", u"", u"-ing form of lie"},
        {u"glass", u"glass", u"", u""},
        {u"women", u"woman", u"", u"plural of woman"},
    };
    for (const Expected& row : rows) EXPECT_TRUE(Offers({&english}, row));
    // An English dictionary beside EDICT: each is looked in, in their order.
    const DictionaryIndex* edict = DebianEdict();
    ASSERT_NE(edict, nullptr) << DebianEdictMissing();
    const auto both = LookUpInDictionaries({edict, &english}, u"ran");
    ASSERT_FALSE(both.empty());
    EXPECT_EQ(both.back().dictionary, 1u);
}

TEST(DictionaryLookup, DamagedBinaryEmptyAndHugeFilesLoadSafely) {
    std::string binary;
    for (int i = 0; i < 1 << 16; ++i) binary += static_cast<char>((i * 7919) >> 3);
    std::string hugeLine(30u << 20, '\xA4');  // one EUC-JP-looking line of 30 MB
    hugeLine.insert(0, "x [y] /z/\n");
    std::string truncated = *DebianEdictBytes();
    truncated.resize(truncated.size() / 10 * 7 + 1);  // cut inside a line, perhaps inside a character
    const std::string damaged =
        "犬 [いぬ] /(n) dog/\n猫 [ねこ] /(n) c\xFF" "at/\n\xFF\xFE\xFD [\x80] /\x81/\n鳥 [とり /(n) bird/\n"
        "魚 [さかな] /(n) fish/\n馬 [うま] /(n) horse/\n牛 [うし] /(n) cow/\n羊 [ひつじ] /(n) sheep/\n";
    struct Row {
        const char* name;
        const std::string& bytes;
        DictionaryStatus status;
        const char16_t* term;  // found, when given
    } rows[] = {
        {"binary", binary, DictionaryStatus::NotADictionary, nullptr},
        {"empty", "", DictionaryStatus::NotADictionary, nullptr},
        {"a huge line", hugeLine, DictionaryStatus::Loaded, u"x"},
        {"most of EDICT", truncated, DictionaryStatus::Loaded, u"食べる"},
        {"damaged lines", damaged, DictionaryStatus::Loaded, u"猫"},
    };
    for (const Row& row : rows) {
        const DictionaryIndex index(row.bytes);
        EXPECT_EQ(index.Status(), row.status) << row.name;
        if (row.term) EXPECT_FALSE(LookUpInDictionaries({&index}, row.term).empty()) << row.name;
        LookUpInDictionaries({&index}, u"あ");
    }
    const DictionaryIndex damagedIndex(damaged);
    EXPECT_EQ(damagedIndex.EntryCount(), 7u) << "a bad byte is replaced, the line kept";
    EXPECT_EQ(damagedIndex.SkippedLines(), 1u);
    EXPECT_EQ(DictionaryIndex(std::string(kMaxDictionaryBytes + 1, 'a')).Status(), DictionaryStatus::TooLarge);
}
