// The search site Alt+W uses: chosen from the tray menu, kept across a
// restart in the site file, and the user's own sites from that file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_test.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/url_log.h"
#include "support/windows_found.h"

namespace {

constexpr UINT kFirstSiteCommand = 33000;

class SearchSites : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ClearUrlLog();
    }
    // Alt+W on the reader's selection; the URL the shell was given.
    std::string Search(const std::wstring& text) {
        ClearUrlLog();
        ReaderWindow reader(text);
        reader.SelectAndFocus(0, static_cast<int>(text.size()));
        PressAltWith('W');
        std::vector<std::string> urls;
        PollUntil([&] { return !(urls = RecordedUrls()).empty(); }, 10000);  // a browser starts slowly on a busy machine
        PumpFor(700);  // the clipboard is given back
        return urls.empty() ? std::string() : urls.front();
    }
};

}  // namespace

TEST_F(SearchSites, TheChosenSiteIsKeptAndTheQueryIsEncodedForWhereItStands) {
    {
        Session session(folder_.Path());
        EXPECT_EQ(Search(L"a b+c"), "https://www.google.com/search?q=a+b%2Bc") << "the default";
        // Weblio, the second site of the menu, puts the query in its path.
        Session::SendAndWait(session.Main(), WM_COMMAND, kFirstSiteCommand + 1, 0);
        EXPECT_EQ(Search(L"a b+c"), "https://ejje.weblio.jp/content/a%20b%2Bc");
        EXPECT_EQ(session.Exit(), 0u);
    }
    EXPECT_NE(FileText(folder_.File(L"wordHaven-sites.txt")).find("* Weblio"), std::string::npos);
    Session again(folder_.Path());
    EXPECT_EQ(Search(L"word"), "https://ejje.weblio.jp/content/word") << "kept across a restart";
    EXPECT_EQ(again.Exit(), 0u);
}

TEST_F(SearchSites, TheUsersOwnSitesAreReadAndAMalformedLineIsNamed) {
    const std::string sites = "# mine\r\n"
                              "* Jisho https://jisho.org/search/{query}%20%23words\r\n"
                              "broken line without a url\r\n";
    WriteFileBytes(folder_.File(L"wordHaven-sites.txt"), {sites.begin(), sites.end()});
    std::wstring told;
    Session session(folder_.Path(), &told);
    EXPECT_NE(told.find(L"wordHaven-sites.txt"), std::wstring::npos);
    EXPECT_EQ(told.substr(told.size() - 2), L"\n3") << "the line number";
    EXPECT_EQ(Search(L"猫 cat"), "https://jisho.org/search/\xE7\x8C\xAB%20cat%20%23words");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SearchSites, ChoosingASiteMovesOnlyItsMarkAndEachEditIsToldOnce) {
    const std::wstring path = folder_.File(L"wordHaven-sites.txt");
    const std::string sites = "# mine\r\n"
                              "  * Jisho https://jisho.org/search/{query}\n"
                              "\tA&B HTTPS://ab.example/find?q={query}\r\n"
                              "broken line\r\n";
    WriteFileBytes(path, {sites.begin(), sites.end()});
    std::wstring told;
    Session session(folder_.Path(), &told);
    EXPECT_EQ(told.substr(told.size() - 2), L"\n4");

    Session::SendAndWait(session.Main(), WM_COMMAND, kFirstSiteCommand + 1, 0);
    PumpFor(300);
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty())
        << "the program's own change is nothing new to tell";
    EXPECT_EQ(FileText(path), "# mine\r\n"
                              "  Jisho https://jisho.org/search/{query}\n"
                              "\t* A&B HTTPS://ab.example/find?q={query}\r\n"
                              "broken line\r\n");
    EXPECT_EQ(Search(L"x y"), "HTTPS://ab.example/find?q=x+y");

    // The user edits the file: told once, not again after the next choice.
    const std::string edited = FileText(path) + "another broken one\r\n";
    WriteFileBytes(path, {edited.begin(), edited.end()});
    PostMessageW(session.Main(), WM_COMMAND, kFirstSiteCommand, 0);
    EXPECT_EQ(session.Answer(IDOK, session.Main()).substr(told.size() - 2), L"\n4, 5");
    ASSERT_TRUE(PollUntil([&] { return FileText(path).find("  * Jisho") != std::string::npos; }, 5000));
    Session::SendAndWait(session.Main(), WM_COMMAND, kFirstSiteCommand + 1, 0);
    PumpFor(300);
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty());
    EXPECT_EQ(FileText(path), edited);
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SearchSites, AFileTooLargeOrWithoutSitesIsLeftAloneAndThePresetsServe) {
    const std::wstring path = folder_.File(L"wordHaven-sites.txt");
    std::string large = "* Jisho https://jisho.org/search/{query}\r\n";
    while (large.size() <= (1u << 20)) large += "# a long file that is not a list of sites at all ......\r\n";
    WriteFileBytes(path, {large.begin(), large.end()});
    {
        std::wstring told;
        Session session(folder_.Path(), &told);
        EXPECT_NE(told.find(L"大きすぎる"), std::wstring::npos);
        EXPECT_EQ(Search(L"word"), "https://www.google.com/search?q=word");
        Session::SendAndWait(session.Main(), WM_COMMAND, kFirstSiteCommand + 1, 0);
        EXPECT_EQ(Search(L"word"), "https://ejje.weblio.jp/content/word") << "the choice holds for the run";
        EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty());
        EXPECT_EQ(session.Exit(), 0u);
    }
    EXPECT_TRUE(FileText(path) == large) << "never cut";

    // Saved as "Unicode" by an editor: no line of it reads as a site.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("Jisho https://j.example/{query}\r\n")) utf16 += {c, '\0'};
    WriteFileBytes(path, {utf16.begin(), utf16.end()});
    std::wstring told;
    Session session(folder_.Path(), &told);
    EXPECT_NE(told.find(L"{query} を含む URL の行がありません"), std::wstring::npos);
    Session::SendAndWait(session.Main(), WM_COMMAND, kFirstSiteCommand + 4, 0);
    EXPECT_EQ(Search(L"word"), "https://ja.wiktionary.org/wiki/word");
    EXPECT_EQ(FileText(path), utf16) << "no presets added to it";
    EXPECT_EQ(session.Exit(), 0u);
}
