#include "storage/search_sites.h"

#include <gtest/gtest.h>

#include <string>

TEST(SearchSites, WithoutAFileThePresetsStandAndTheGeneralSearchIsChosen) {
    const SiteList presets = ParseSiteFile("# only a comment\r\n\r\n");
    EXPECT_FALSE(presets.fromFile);
    ASSERT_GE(presets.sites.size(), 4u);
    EXPECT_EQ(presets.chosen, 0u);
    EXPECT_EQ(presets.sites[0].url, u"https://www.google.com/search?q={query}");
    EXPECT_EQ(ParseSiteFile(NewSiteFile(2)).chosen, 2u) << "a new file keeps the choice";
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
    const SiteList list = ParseSiteFile(file);
    EXPECT_TRUE(list.fromFile);
    ASSERT_EQ(list.sites.size(), 2u);
    EXPECT_EQ(list.sites[1].name, u"ALC 英辞郎");
    EXPECT_EQ(list.chosen, 1u);
    // A name starting with a mark would become a comment or the chosen site once its own mark moved away.
    EXPECT_EQ(list.malformedLines, (std::vector<int>{3, 5, 6, 7, 8}));
    EXPECT_EQ(ParseSiteFile("*\xEF\xBB\xBFGoogle https://x.example/{query}\n").malformedLines, std::vector<int>{1})
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
    EXPECT_EQ(ParseSiteFile(marked).chosen, 0u);
}

TEST(SearchSites, OnlyTheMarksMoveAndSchemesAreReadInAnyCase) {
    const std::string file = "\xEF\xBB\xBF  * A HTTPS://a.example/{query}\r\n"
                             "\tB Http://b.example/?q={query}\n"
                             "   C https://c.example/{query}";
    const SiteList list = ParseSiteFile(file);
    ASSERT_EQ(list.sites.size(), 3u);
    EXPECT_TRUE(list.malformedLines.empty());
    const std::string toB = MarkChosenSite(file, 1);
    EXPECT_EQ(toB, "\xEF\xBB\xBF  A HTTPS://a.example/{query}\r\n"
                   "\t* B Http://b.example/?q={query}\n"
                   "   C https://c.example/{query}");
    EXPECT_EQ(MarkChosenSite(toB, 0), file) << "back where it was, byte for byte";
    EXPECT_EQ(MarkChosenSite(file, 0), file);
}
