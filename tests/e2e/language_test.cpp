// The language chosen from the tray menu: written to the settings file at
// once, followed by the open glossary and by the next window opened, and never
// a reason to rewrite the user's site file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/program_test.h"
#include "support/program_windows.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

class Language : public ProgramTest {};

constexpr int kFindLabel = 1060;

// The language submenu by its letter, which is the same in both languages, then the language by its.
void ChooseLanguage(const Session& session, wchar_t letter) {
    ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'l'));
    PostMessageW(session.Main(), WM_CHAR, letter, 0);
}

}  // namespace

TEST_F(Language, ChosenFromTheTrayItIsSavedAndTheWindowsFollow) {
    const std::wstring sitesPath = File(L"wordHaven-sites.txt");
    const std::string sites = "* Jisho https://jisho.org/search/{query}\r\n";
    WriteFileBytes(sitesPath, {sites.begin(), sites.end()});
    Session session(folder_.Path());
    const std::wstring settingsPath = File(L"wordHaven.ini");

    ChooseLanguage(session, L'e');
    EXPECT_TRUE(PollUntil([&] { return WindowText(session.Dialog()) == L"Glossary"; }));
    EXPECT_TRUE(PollUntil([&] { return SettingsOnDisk(settingsPath).languageIndex == 0; }));
    // The switch tells the shell of the tray tip too, and answers other programs while it waits: poll.
    EXPECT_TRUE(PollUntil([&] { return WindowText(session.Item(kNew)) == L"&New"; }));
    ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'f'));
    HWND find = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"Find");
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(find, kFindLabel)), L"&Find:");

    ChooseLanguage(session, L'j');
    EXPECT_TRUE(PollUntil([&] { return WindowText(find) == L"検索"; }));
    EXPECT_TRUE(PollUntil([&] { return SettingsOnDisk(settingsPath).languageIndex == 1; }));
    EXPECT_TRUE(PollUntil([&] { return WindowText(session.Dialog()) == L"単語登録"; }));
    EXPECT_EQ(FileText(sitesPath), sites);
    EXPECT_EQ(session.Exit(), 0u);
}
