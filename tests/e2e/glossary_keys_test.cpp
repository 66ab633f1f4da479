// Finding entries across the whole glossary, and the glossary used from the
// keyboard, with the real wordHaven.exe and real key presses.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

constexpr int kFindText = 1061;
constexpr int kFindResults = 1063;

void Tap(BYTE key, BYTE modifier = 0) {
    if (modifier) keybd_event(modifier, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (modifier) keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
    PumpFor(200);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

class GlossaryKeys : public ProgramTest {
protected:
    HWND FindWindowOf(Session& session) {
        return WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"検索", 5000);
    }
    // Types the query as the user does, and the rows found: group and term.
    std::vector<std::wstring> Search(HWND find, const wchar_t* query) {
        Session::SendAndWait(GetDlgItem(find, kFindText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query));
        RemoteList results(GetDlgItem(find, kFindResults));
        std::vector<std::wstring> rows;
        for (int row = 0; row < results.RowCount(); ++row) rows.push_back(results.Text(row, 0) + L":" + results.Text(row, 1));
        return rows;
    }
};

}  // namespace

TEST_F(GlossaryKeys, FindSeesEveryGroupAndUnsavedRowsFoldingKanaCaseAndWidth) {
    WriteText(folder_.File(L"group01.csv"), L"りんご,ringo,apple,赤い果物\n");
    WriteText(folder_.File(L"group02.csv"), L"ＡＢＣ,,,letters\n栞,しおり,,本に挟む\n");
    Session session(folder_.Path());
    session.AddWithNew({L"ミカン"});  // not saved yet
    ChooseFromTrayMenu(session.Main(), L'f');
    HWND find = FindWindowOf(session);
    ASSERT_NE(find, nullptr);

    EXPECT_EQ(Search(find, L"リンゴ"), std::vector<std::wstring>{L"group01:りんご"}) << "katakana finds hiragana";
    EXPECT_EQ(Search(find, L"abc"), std::vector<std::wstring>{L"group02:ＡＢＣ"}) << "half width finds full width";
    EXPECT_EQ(Search(find, L"みかん"), std::vector<std::wstring>{L"group01:ミカン"}) << "unsaved rows count";
    EXPECT_EQ(Search(find, L"挟む"), std::vector<std::wstring>{L"group02:栞"}) << "meanings count";

    // Enter on a result: the unsaved changes are asked about, then the entry is shown.
    PostMessageW(find, WM_COMMAND, IDOK, 0);
    session.Answer(IDYES, session.Dialog());
    ASSERT_TRUE(PollUntil([&] { return SendMessageW(session.Item(kGroupSelector), CB_GETCURSEL, 0, 0) == 1; }));
    EXPECT_EQ(SendMessageW(session.Item(kWordList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(FileText(folder_.File(L"group01.csv")), Ansi(L"\"りんご\",\"ringo\",\"apple\",\"赤い果物\"\n\"ミカン\",\"\",\"\",\"\"\n"));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(GlossaryKeys, TheGlossaryAnswersTheKeysOfAWindowsDialog) {
    WriteText(folder_.File(L"group01.csv"), L"one\ntwo\nthree\n");
    Session session(folder_.Path());
    const RECT row = session.List().RowOnScreen(0);
    SetForegroundWindow(session.Dialog());
    ClickAt({row.left + 20, (row.top + row.bottom) / 2});
    PumpFor(300);

    Tap('A', VK_CONTROL);
    EXPECT_EQ(SendMessageW(session.Item(kWordList), LVM_GETSELECTEDCOUNT, 0, 0), 3) << "Ctrl+A";
    session.List().Select({1});
    Tap(VK_DELETE);
    EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"one", L"three"})) << "Delete";
    session.List().Select({0});
    SendMessageW(session.Item(kWordList), LVM_SETSELECTIONMARK, 0, 0);
    Tap(VK_RETURN);
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 3000);
    ASSERT_NE(edit, nullptr) << "Enter on a row edits it";
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));

    SetForegroundWindow(session.Dialog());
    const RECT first = session.List().RowOnScreen(0);
    ClickAt({first.left + 20, (first.top + first.bottom) / 2});
    PumpFor(300);
    Tap(VK_TAB);
    EXPECT_EQ(FocusOf(session.Dialog()), session.Item(kNew)) << "Tab goes from the list to 新規";
    Tap(VK_TAB, VK_SHIFT);
    EXPECT_EQ(FocusOf(session.Dialog()), session.Item(kWordList)) << "Shift+Tab goes back";
    Tap('F', VK_CONTROL);
    ASSERT_NE(FindWindowOf(session), nullptr) << "Ctrl+F";
    PostMessageW(FindWindowOf(session), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"検索"));

    SetForegroundWindow(session.Dialog());
    PumpFor(200);
    PressAltWith('N');
    edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 3000);
    ASSERT_NE(edit, nullptr) << "Alt+N presses 新規(&N)";
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));

    // Enter in the rename field closes nothing; Alt+R brings the glossary back in front.
    const RECT field = [&] { RECT r; GetWindowRect(session.Item(kRename), &r); return r; }();
    SetForegroundWindow(session.Dialog());
    ClickAt({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    PumpFor(200);
    Tap(VK_RETURN);
    EXPECT_TRUE(IsWindowVisible(session.Dialog())) << "Enter in the rename field";
    {
        ReaderWindow reader(L"another program");
        reader.SelectAndFocus(0, 1);
        PressAltWith('R');
        EXPECT_TRUE(PollUntil([&] { return GetForegroundWindow() == session.Dialog(); }, 3000)) << "Alt+R";
    }

    SetForegroundWindow(session.Dialog());
    PumpFor(200);
    Tap(VK_ESCAPE);
    EXPECT_EQ(session.Answer(IDYES, session.Dialog()), L"一覧に保存されていない変更があります。保存しますか？") << "Esc";
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"単語登録"));
    EXPECT_EQ(FileText(folder_.File(L"group01.csv")), "\"one\",\"\",\"\",\"\"\n\"three\",\"\",\"\",\"\"\n");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(GlossaryKeys, AltEOnACollectedTermSaysWhereItIsAndStillAddsIt) {
    WriteText(folder_.File(L"group03.csv"), L"りんご,,,\nりんご,,,again\n");
    Session session(folder_.Path());
    ReaderWindow reader(L"リンゴ: an apple");
    reader.SelectAndFocus(0, 3);
    PressAltWith('W');
    PumpFor(1500);
    reader.SelectAndFocus(5, 15);
    PressAltWith('E');
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr);
    wchar_t note[128] = {};
    SendMessageW(GetDlgItem(edit, 1065), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(note));
    EXPECT_STREQ(note, L"登録済み: group03 (2件)");
    session.FillEntry({});
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"リンゴ"});
    session.CloseDialogWith(IDCANCEL);
    EXPECT_EQ(session.Exit(), 0u);
}
