#include "storage/search_sites.h"

#include <gtest/gtest.h>

#include <string>

TEST(SearchSites, WithoutAFileThePresetsStandAndTheGeneralSearchIsChosen) {
    const SiteList presets = ParseSiteFile("# only a comment\r\n\r\n", 1);
    EXPECT_FALSE(presets.fromFile);
    ASSERT_GE(presets.sites.size(), 4u);
    EXPECT_EQ(presets.chosen, 0u);
    EXPECT_EQ(presets.sites[0].url, u"https://www.google.com/search?q={query}");
    EXPECT_EQ(ParseSiteFile(NewSiteFile(2, 1), 1).chosen, 2u) << "a new file keeps the choice";
}

TEST(SearchSites, AUsersFileIsReadLineByLineAndMalformedLinesAreNamed) {
    const std::string file = "\xEF\xBB\xBF# my sites\r\n"
                             "Jisho https://jisho.org/search/{query}\r\n"
                             "no url here\r\n"
                             "*  ALC 英辞郎\thttps://eow.alc.co.jp/search?q={query}&ref=wh\n"
                             "two {query} https://x.example/{query}/{query}\n"
                             "ftp ftp://x.example/{query}\n"
                             "* #hash https://x.example/{query}\n"
                             "* * star https://x.example/{query}\n";
    const SiteList list = ParseSiteFile(file, 1);
    EXPECT_TRUE(list.fromFile);
    ASSERT_EQ(list.sites.size(), 2u);
    EXPECT_EQ(list.sites[1].name, u"ALC 英辞郎");
    EXPECT_EQ(list.chosen, 1u);
    // A name starting with a mark would become a comment or the chosen site once its own mark moved away.
    EXPECT_EQ(list.malformedLines, (std::vector<int>{3, 5, 6, 7, 8}));
    EXPECT_EQ(ParseSiteFile("*\xEF\xBB\xBFGoogle https://x.example/{query}\n", 1).malformedLines, std::vector<int>{1})
        << "unmarked, the name's first bytes would be taken for the file's byte-order mark";

    // Choosing moves the mark ("*" and one blank) and leaves every other byte as it was.
    const std::string marked = MarkChosenSite(file, 0);
    EXPECT_EQ(marked, "\xEF\xBB\xBF# my sites\r\n"
                      "* Jisho https://jisho.org/search/{query}\r\n"
                      "no url here\r\n"
                      " ALC 英辞郎\thttps://eow.alc.co.jp/search?q={query}&ref=wh\n"
                      "two {query} https://x.example/{query}/{query}\n"
                      "ftp ftp://x.example/{query}\n"
                      "* #hash https://x.example/{query}\n"
                      "* * star https://x.example/{query}\n");
    EXPECT_EQ(ParseSiteFile(marked, 1).chosen, 0u);
}

TEST(SearchSites, OnlyTheMarksMoveAndSchemesAreReadInAnyCase) {
    const std::string file = "\xEF\xBB\xBF  * A HTTPS://a.example/{query}\r\n"
                             "\tB Http://b.example/?q={query}\n"
                             "   C https://c.example/{query}";
    const SiteList list = ParseSiteFile(file, 1);
    ASSERT_EQ(list.sites.size(), 3u);
    EXPECT_TRUE(list.malformedLines.empty());
    const std::string toB = MarkChosenSite(file, 1);
    EXPECT_EQ(toB, "\xEF\xBB\xBF  A HTTPS://a.example/{query}\r\n"
                   "\t* B Http://b.example/?q={query}\n"
                   "   C https://c.example/{query}");
    EXPECT_EQ(MarkChosenSite(toB, 0), file) << "back where it was, byte for byte";
    EXPECT_EQ(MarkChosenSite(file, 0), file);
}

// A learner of Japanese finds the dictionaries they use among the English
// presets; each language's new file lists its own presets and keeps the choice.
TEST(SearchSites, EachLanguageHasItsPresetsAndItsNewFileReadsBackAsThem) {
    struct Row {
        int language;
        std::u16string mustOffer;
    };
    for (const Row& row : {Row{0, u"https://jisho.org/search/{query}"}, Row{0, u"https://en.wiktionary.org/wiki/{query}"},
                           Row{1, u"https://ejje.weblio.jp/content/{query}"}}) {
        const SiteList presets = PresetSites(row.language);
        EXPECT_EQ(presets.sites[0].name, u"Google") << "the general search stays first, and chosen";
        bool offered = false;
        for (const SearchSite& site : presets.sites) offered = offered || site.url == row.mustOffer;
        EXPECT_TRUE(offered) << row.language;
        const SiteList written = ParseSiteFile(NewSiteFile(2, row.language), row.language);
        ASSERT_EQ(written.sites.size(), presets.sites.size());
        EXPECT_EQ(written.chosen, 2u);
        for (std::size_t n = 0; n < presets.sites.size(); ++n) EXPECT_EQ(written.sites[n].url, presets.sites[n].url);
    }
}
