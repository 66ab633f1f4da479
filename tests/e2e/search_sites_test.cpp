// The search site Alt+W uses: chosen from the tray menu, kept across a
// restart in the site file, and the user's own sites from that file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/url_log.h"
#include "support/windows_found.h"

namespace {

constexpr UINT kFirstSiteCommand = 33000;

class SearchSites : public testing::Test {
protected:
    void SetUp() override {
        EndStrayPrograms();
        ClearUrlLog();
    }
    // Alt+W on the reader's selection; the URL the shell was given.
    std::string Search(const std::wstring& text) {
        ClearUrlLog();
        ReaderWindow reader(text);
        reader.SelectAndFocus(0, static_cast<int>(text.size()));
        PressAltWith('W');
        std::vector<std::string> urls;
        PollUntil([&] { return !(urls = RecordedUrls()).empty(); }, 5000);
        PumpFor(700);  // the clipboard is given back
        return urls.empty() ? std::string() : urls.front();
    }
    TestFolder folder_;
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
