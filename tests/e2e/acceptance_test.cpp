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
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/remote_list.h"
#include "support/test_folder.h"
#include "support/url_log.h"
#include "support/windows_found.h"

namespace {

enum ControlId {
    kApply = 3,
    kGroupSelector = 1039,
    kNew = 1041,
    kMoveDown = 1044,
    kRename = 1046,
    kWordList = 9999,
    kTermField = 1037,
    kReadingField = 1040,
    kSpellingField = 1042,
    kDescriptionField = 1044,
};

std::string FileText(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

std::string Ansi(const std::wstring& text) {
    char bytes[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// One run of the program in the folder, driven from outside as a user would.
class Session {
public:
    explicit Session(const std::wstring& folder) : program_(folder) {
        main_ = WaitForMainWindow(program_.ProcessId());
        dialog_ = WaitForRegisterDialog(program_.ProcessId());
    }
    ~Session() {
        if (program_.WaitForExit(0)) return;
        ChooseFromTrayMenu(main_, L'e');
        program_.WaitForExit(10000);
    }
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    RemoteList List() const { return RemoteList(Item(kWordList)); }
    std::vector<std::wstring> Terms() const {
        RemoteList list = List();
        std::vector<std::wstring> terms;
        for (int row = 0; row < list.RowCount(); ++row) terms.push_back(list.Text(row, 0));
        return terms;
    }

    // Fills the edit dialog that the last action opened and presses OK.
    void FillEntry(const std::vector<std::wstring>& texts) {
        HWND edit = WaitForShownTopWindow(program_.ProcessId(), L"#32770", L"編集", 5000);
        ASSERT_NE(edit, nullptr) << "no edit dialog";
        const int ids[4] = {kTermField, kReadingField, kSpellingField, kDescriptionField};
        for (size_t i = 0; i < texts.size(); ++i) SetDlgItemTextW(edit, ids[i], texts[i].c_str());
        PostMessageW(edit, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitForNoTopWindow(program_.ProcessId(), L"#32770", L"編集"));
    }
    void AddWithNew(const std::vector<std::wstring>& texts) {
        PostMessageW(dialog_, WM_COMMAND, kNew, 0);
        FillEntry(texts);
    }
    // Sent rather than posted, so the next check sees the message's outcome
    // however slow the machine; the time-out only guards against a hang.
    static void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result;
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    }
    void Command(WPARAM command, LPARAM control = 0) { SendAndWait(dialog_, WM_COMMAND, command, control); }
    void SelectGroup(int slot) {
        SendMessageW(Item(kGroupSelector), CB_SETCURSEL, slot, 0);
        Command(MAKEWPARAM(kGroupSelector, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kGroupSelector)));
    }
    void ClickTermHeader() {
        HWND header = FindWindowExW(Item(kWordList), nullptr, L"SysHeader32", nullptr);
        RECT r;
        GetWindowRect(header, &r);
        ClickAt({r.left + 30, (r.top + r.bottom) / 2});
        PumpFor(300);
    }
    void CloseDialogWith(WPARAM command) {
        PostMessageW(dialog_, WM_COMMAND, command, 0);
        ASSERT_TRUE(WaitForNoTopWindow(program_.ProcessId(), L"#32770", L"単語登録"));
    }
    void OpenFromTrayIcon() {
        PostMessageW(main_, WM_APP + 1, 108, WM_LBUTTONUP);
        dialog_ = WaitForRegisterDialog(program_.ProcessId());
    }
    DWORD Exit() {
        DWORD code = 99;
        ChooseFromTrayMenu(main_, L'e');
        EXPECT_TRUE(program_.WaitForExit(15000, &code));
        return code;
    }
    ProgramRun& Program() { return program_; }

private:
    ProgramRun program_;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
};

class Acceptance : public testing::Test {
protected:
    void SetUp() override {
        EndStrayPrograms();
        ClearUrlLog();
    }
    TestFolder folder_;
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
}
