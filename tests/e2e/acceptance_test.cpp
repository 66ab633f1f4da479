// A user's sessions with the real wordHaven.exe in one data folder, across
// restarts: everything left behind must be found again.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "support/program_run.h"
#include "support/program_test.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/session.h"
#include "support/remote_list.h"
#include "support/test_folder.h"
#include "support/url_log.h"
#include "support/windows_found.h"

namespace {

class Acceptance : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ClearUrlLog();
    }
};

}  // namespace

TEST_F(Acceptance, AGlossaryBuiltInOneSessionIsFoundWholeInTheNext) {
    // A hand-made group, as a spreadsheet saves it: CR LF and unquoted fields.
    const std::string handMade = Ansi(L"東京,とうきょう,tokyo,首都\r\n日本,にほん,nihon,国の名前\r\n");
    WriteFileBytes(folder_.File(L"group03.csv"), {handMade.begin(), handMade.end()});
    {
        Session session(folder_.Path());
        ASSERT_NE(session.Dialog(), nullptr);
        EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "no message";

        session.AddWithNew({L"単語", L"たんご", L"", L"言葉"});
        session.AddWithNew({L"apple", L"", L"", L"a fruit"});

        // Alt+W on a word, then Alt+E on a sentence in another program.
        ReaderWindow reader(L"zebra: a striped animal");
        reader.SelectAndFocus(0, 5);
        PressAltWith('W');
        PumpFor(1500);
        reader.SelectAndFocus(7, 23);
        PressAltWith('E');
        session.FillEntry({});
        EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"単語", L"apple", L"zebra"}));

        // Edit by double-click: the second row gets a spelling.
        const RECT row = session.List().RowOnScreen(1);
        HWND edit = nullptr;
        // Synthesised clicks now and then arrive too far apart to make a double-click; a user tries again.
        for (int attempt = 0; attempt < 3 && !edit; ++attempt) {
            SetForegroundWindow(session.Dialog());
            PumpFor(200);
            ClickAt({row.left + 20, (row.top + row.bottom) / 2}, true);
            edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 2000);
        }
        ASSERT_NE(edit, nullptr) << "double-click opened no edit dialog";
        wchar_t term[64] = {};
        GetDlgItemTextW(edit, kTermField, term, 64);
        EXPECT_STREQ(term, L"apple");
        session.FillEntry({L"apple", L"", L"APL", L"a fruit"});

        // Reorder: the first row moves down.
        session.List().Select({0});
        session.Command(kMoveDown);
        EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"apple", L"単語", L"zebra"}));

        // Rename the group (typed through the filter) and apply.
        for (wchar_t c : std::wstring(L"語彙<1>")) Session::SendAndWait(session.Item(kRename), WM_CHAR, c, 0);
        session.Command(kApply);
        EXPECT_FALSE(IsWindowEnabled(session.Item(kApply)));

        // Sort by term; the stored order stays what was applied.
        session.ClickTermHeader();
        EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"apple", L"zebra", L"単語"}));

        // Another group: the hand-made file loads; a widened column is kept.
        session.SelectGroup(2);
        EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"日本", L"東京"})) << "shown sorted by term";
        SendMessageW(session.Item(kWordList), LVM_SETCOLUMNWIDTH, 3, 333);
        PostMessageW(session.Dialog(), WM_CLOSE, 0, 0);  // the title bar's close box keeps the widths
        ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"単語登録"));

        session.OpenFromTrayIcon();
        MoveWindow(session.Dialog(), 200, 120, 800, 500, TRUE);
        PumpFor(200);
        session.CloseDialogWith(IDCANCEL);
        EXPECT_EQ(session.Exit(), 0u);
    }

    EXPECT_EQ(FileText(folder_.File(L"語彙1.csv")),
              Ansi(L"\"apple\",\"\",\"APL\",\"a fruit\"\n\"単語\",\"たんご\",\"\",\"言葉\"\n\"zebra\",\"\",\"\",\"a striped animal\"\n"));
    EXPECT_EQ(FileText(folder_.File(L"group03.csv")), handMade) << "closing does not save";
    AppSettings settings{};
    ViewLayout layout{};
    ReadSettingsImage(ReadFileBytes(folder_.File(L"wordHaven.ini")).data(), settings, layout);
    EXPECT_EQ(std::u16string(settings.groupNames[0]), u"語彙1");
    EXPECT_EQ(settings.currentGroup, 2);
    EXPECT_EQ(settings.entryCounts[0], 3);
    EXPECT_EQ(settings.entryCounts[2], 2);
    EXPECT_EQ(layout.sortStates[0], 1);
    EXPECT_EQ(layout.columnWidths[2][3], 333);
    EXPECT_EQ(layout.registerPlacement.left, 200);
    EXPECT_EQ(layout.registerPlacement.width, 800);

    Session again(folder_.Path());
    ASSERT_NE(again.Dialog(), nullptr);
    RECT placed;
    GetWindowRect(again.Dialog(), &placed);
    EXPECT_EQ(placed.left, 200);
    EXPECT_EQ(placed.top, 120);
    EXPECT_EQ(placed.right - placed.left, 800);
    EXPECT_EQ(SendMessageW(again.Item(kGroupSelector), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(again.Item(kWordList), LVM_GETCOLUMNWIDTH, 3, 0), 333);
    again.SelectGroup(0);
    EXPECT_EQ(again.Terms(), (std::vector<std::wstring>{L"apple", L"zebra", L"単語"}));
    EXPECT_EQ(again.List().Text(0, 2), L"APL");
    EXPECT_EQ(again.Exit(), 0u);
}

TEST_F(Acceptance, AReadOnlyGroupFileIsReportedAndNothingIsLost) {
    const std::string old = "\"kept\",\"\",\"\",\"\"\n";
    WriteFileBytes(folder_.File(L"group01.csv"), {old.begin(), old.end()});
    SetFileAttributesW(folder_.File(L"group01.csv").c_str(), FILE_ATTRIBUTE_READONLY);
    Session session(folder_.Path());
    session.AddWithNew({L"new entry", L"", L"", L""});
    PostMessageW(session.Dialog(), WM_COMMAND, IDOK, 0);
    HWND box = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"csvファイルオープンに失敗しました");
    PressOk(box);
    PumpFor(300);
    EXPECT_TRUE(IsWindowVisible(session.Dialog())) << "the dialog stays open";
    EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"kept", L"new entry"}));
    EXPECT_EQ(FileText(folder_.File(L"group01.csv")), old);
    SetFileAttributesW(folder_.File(L"group01.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
    session.ChooseExit();
    session.Answer(IDNO, session.Dialog());
    EXPECT_TRUE(session.Program().WaitForExit(15000));
}
