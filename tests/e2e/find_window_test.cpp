// The find window of the real wordHaven.exe while the glossary changes under
// it: its results are always of the glossary as it stands, and a result
// opens the very entry it shows.
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
#include "support/url_log.h"
#include "support/windows_found.h"

namespace {

constexpr int kFindText = 1061;
constexpr int kFindCount = 1062;
constexpr int kFindResults = 1063;

int SelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

class FindUnderChange : public ProgramTest {
protected:

    HWND Open(Session& session) {
        ChooseFromTrayMenu(session.Main(), L'f');
        find_ = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"検索", 5000);
        return find_;
    }
    HWND Results() const { return GetDlgItem(find_, kFindResults); }
    void Type(const wchar_t* query) {
        Session::SendAndWait(GetDlgItem(find_, kFindText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(query));
    }
    // The rows on show: group and term of each.
    std::vector<std::wstring> Rows() const {
        RemoteList results(Results());
        std::vector<std::wstring> rows;
        for (int row = 0; row < results.RowCount(); ++row) rows.push_back(results.Text(row, 0) + L":" + results.Text(row, 1));
        return rows;
    }
    bool RowsBecome(const std::vector<std::wstring>& expected) {
        return PollUntil([&] { return Rows() == expected; }, 5000);
    }
    std::wstring CountText() const { return WindowText(GetDlgItem(find_, kFindCount)); }
    void SelectResult(int row) { RemoteList(Results()).Select({row}); }
    void OpenSelected() { Session::SendAndWait(find_, WM_COMMAND, IDOK, 0); }
    static void DeleteRows(Session& session, const std::vector<int>& rows) {
        session.List().Select(rows);
        session.Command(kDeleteButton);
    }

    static constexpr int kDeleteButton = 1042;
    HWND find_ = nullptr;
};

}  // namespace

TEST_F(FindUnderChange, ResultsFollowEveryChangeAndAnAltEReReadDoesNotBreakThem) {
    std::wstring many;
    for (int i = 1; i <= 30; ++i) many += L"a" + std::to_wstring(i) + L",,,\n";
    WriteText(folder_.File(L"group01.csv"), many);
    WriteText(folder_.File(L"group02.csv"), L"b1,,,about a\n");
    Session session(folder_.Path());
    ASSERT_NE(Open(session), nullptr);
    Type(L"a2");
    EXPECT_TRUE(RowsBecome({L"group01:a2", L"group01:a20", L"group01:a21", L"group01:a22", L"group01:a23",
                            L"group01:a24", L"group01:a25", L"group01:a26", L"group01:a27", L"group01:a28",
                            L"group01:a29"}));

    // A deletion not yet saved: the results are searched again at once.
    std::vector<int> firstTwenty;
    for (int row = 0; row < 20; ++row) firstTwenty.push_back(row);
    DeleteRows(session, firstTwenty);
    EXPECT_TRUE(RowsBecome({L"group01:a21", L"group01:a22", L"group01:a23", L"group01:a24", L"group01:a25",
                            L"group01:a26", L"group01:a27", L"group01:a28", L"group01:a29"}))
        << "rows deleted from the glossary are no longer found";

    // Alt+E reads the glossary again for its note on terms already collected;
    // the results, shown and sorted, stay those of the glossary as it stands.
    ReaderWindow reader(L"a21 is a term");
    ClearUrlLog();
    reader.SelectAndFocus(0, 3);
    PressAltWith('W');
    ASSERT_TRUE(PollUntil([] { return !RecordedUrls().empty(); }, 5000));
    PumpFor(1500);  // the clipboard is given back
    reader.SelectAndFocus(4, 13);
    PressAltWith('E');
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(edit, 1065)), L"登録済み: group01 (1件)");
    InvalidateRect(Results(), nullptr, TRUE);
    PumpFor(300);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"group01:a21", L"group01:a22", L"group01:a23", L"group01:a24",
                                                 L"group01:a25", L"group01:a26", L"group01:a27", L"group01:a28",
                                                 L"group01:a29"}));
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));

    // Dropping the unsaved changes brings the deleted rows back into the results.
    session.CloseDialogWith(IDCANCEL);
    EXPECT_TRUE(RowsBecome({L"group01:a2", L"group01:a20", L"group01:a21", L"group01:a22", L"group01:a23",
                            L"group01:a24", L"group01:a25", L"group01:a26", L"group01:a27", L"group01:a28",
                            L"group01:a29"}));
    // A file changed by another program.
    WriteText(folder_.File(L"group02.csv"), L"b1,,,about a\nb2,,,a2 again\n");
    EXPECT_TRUE(PollUntil([&] { return Rows().size() == 12; }, 5000)) << "the changed file is searched again";
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(FindUnderChange, AResultOpensItsOwnEntryOrSaysItIsGone) {
    WriteText(folder_.File(L"group01.csv"), L"a1,,,\na2,,,\na3,,,\n");
    Session session(folder_.Path());
    ASSERT_NE(Open(session), nullptr);
    Type(L"a");
    ASSERT_TRUE(RowsBecome({L"group01:a1", L"group01:a2", L"group01:a3"}));
    SelectResult(1);  // a2

    DeleteRows(session, {0});  // a1, not saved
    ASSERT_TRUE(RowsBecome({L"group01:a2", L"group01:a3"}));
    EXPECT_EQ(SelectedRow(Results()), 0) << "a2 stays chosen where it now stands";
    OpenSelected();
    const int shown = SelectedRow(session.Item(kWordList));
    ASSERT_GE(shown, 0);
    EXPECT_EQ(session.List().Text(shown, 0), L"a2");

    // The chosen entry deleted: the find window says so and nothing is opened.
    SelectResult(1);  // a3
    DeleteRows(session, {1});
    ASSERT_TRUE(RowsBecome({L"group01:a2"}));
    EXPECT_EQ(SelectedRow(Results()), -1);
    EXPECT_NE(CountText().find(L"もうありません"), std::wstring::npos) << CountText();
    session.List().Select({});
    OpenSelected();
    EXPECT_EQ(SelectedRow(session.Item(kWordList)), -1);
    session.CloseDialogWith(IDCANCEL);
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(FindUnderChange, AResultOpenedWhileAnEntryIsEditedLeavesTheGlossaryWhereItIs) {
    WriteText(folder_.File(L"group01.csv"), L"one,,,\n");
    WriteText(folder_.File(L"group02.csv"), L"other one,,,\n");
    Session session(folder_.Path());
    ASSERT_NE(Open(session), nullptr);
    Type(L"other");
    ASSERT_TRUE(RowsBecome({L"group02:other one"}));

    // The first row of group01 in the edit window (Enter on the row: the find window may cover it).
    session.List().Select({0});
    PostMessageW(session.Item(kWordList), WM_KEYDOWN, VK_RETURN, 0);
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr);
    PostMessageW(find_, WM_COMMAND, IDOK, 0);  // the result in group02
    PumpFor(500);
    EXPECT_EQ(SendMessageW(session.Item(kGroupSelector), CB_GETCURSEL, 0, 0), 0) << "the glossary stays on group01";
    EXPECT_NE(CountText().find(L"閉じて"), std::wstring::npos) << CountText();

    SetDlgItemTextW(edit, kTermField, L"one, edited");
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));
    Type(L"edited");
    EXPECT_TRUE(RowsBecome({L"group01:one, edited"})) << "the edited row, not yet saved, is found as it now is";
    session.Command(IDOK);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"単語登録"));
    EXPECT_EQ(FileText(folder_.File(L"group01.csv")), Ansi(L"\"one, edited\",\"\",\"\",\"\"\n"));
    EXPECT_EQ(FileText(folder_.File(L"group02.csv")), Ansi(L"other one,,,\n"));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(FindUnderChange, CanonicalEquivalentsAreFoundAndColumnsSortInTheLocaleOrder) {
    WriteText(folder_.File(L"group01.csv"), L"item10,,,\nitem9,,,\nItem2,,,\n");
    Session session(folder_.Path());
    session.AddWithNew({L"か\u3099き", L"", L"", L"voiced"});  // a letter and a combining mark
    ASSERT_NE(Open(session), nullptr);
    Type(L"がき");
    EXPECT_TRUE(RowsBecome({L"group01:か\u3099き"})) << "the precomposed letter finds the combined one";
    Type(L"ｶﾞｷ");
    EXPECT_TRUE(RowsBecome({L"group01:か\u3099き"})) << "half-width kana with its voiced mark too";

    Type(L"item");
    ASSERT_TRUE(RowsBecome({L"group01:item10", L"group01:item9", L"group01:Item2"}));
    SelectResult(1);  // item9
    // A click on the term column's header.
    HWND header = FindWindowExW(Results(), nullptr, L"SysHeader32", nullptr);
    RECT r;
    GetWindowRect(header, &r);
    const int groupWidth = static_cast<int>(SendMessageW(Results(), LVM_GETCOLUMNWIDTH, 0, 0));
    ClickAt({r.left + groupWidth + 20, (r.top + r.bottom) / 2});
    EXPECT_TRUE(RowsBecome({L"group01:Item2", L"group01:item9", L"group01:item10"}))
        << "case ignored, digits compared as numbers";
    EXPECT_EQ(SelectedRow(Results()), 1) << "item9 stays selected";
    session.CloseDialogWith(IDCANCEL);
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(FindUnderChange, ADisplayOfAnotherScaleScalesTheColumnsAndTheLayout) {
    Session session(folder_.Path());
    ASSERT_NE(Open(session), nullptr);
    const int before = static_cast<int>(SendMessageW(Results(), LVM_GETCOLUMNWIDTH, 4, 0));
    RECT window;
    GetWindowRect(find_, &window);
    // The suggested rectangle, half as large again, placed in the program's memory as the system does.
    const RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                         window.top + (window.bottom - window.top) * 3 / 2};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, session.Program().ProcessId());
    ASSERT_NE(process, nullptr);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    Session::SendAndWait(find_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);

    EXPECT_NEAR(SendMessageW(Results(), LVM_GETCOLUMNWIDTH, 4, 0), before * 3 / 2, 1);
    RECT client, list;
    GetClientRect(find_, &client);
    GetWindowRect(Results(), &list);
    EXPECT_NEAR(list.right - list.left, client.right - 2 * 12, 2) << "the list fills the larger window";
    EXPECT_EQ(session.Exit(), 0u);
}
