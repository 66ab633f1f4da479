// The reader's dictionaries in the real wordHaven.exe: files put in its
// dictionaries folder, a term typed into the edit dialog, an entry taken with
// Alt+1 or a click, and what the glossary saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/program_test.h"
#include "support/reader_window.h"
#include "support/remote_list.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

constexpr int kDictionaryNote = 1067;
constexpr int kDictionaryList = 1068;
constexpr int kFormColumn = 3;

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));  // another process's control
    return text;
}

class Dictionary : public ProgramTest {
protected:
    std::wstring Dictionaries(const std::wstring& name = L"") { return File(L"dictionaries\\" + name); }

    HWND OpenNewEntry(Session& session) {
        session.PostCommand(kNew);
        HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
        if (edit) SetForegroundWindow(edit);
        return edit;
    }
    // Types the term and waits until the list shows what the dictionaries hold for it.
    static bool LookUp(HWND edit, const std::wstring& term) {
        Session::SendAndWait(GetDlgItem(edit, kTermField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(term.c_str()));
        return PollUntil([&] { return RemoteList(GetDlgItem(edit, kDictionaryList)).RowCount() > 0; }, 15000);
    }
};

}  // namespace

TEST_F(Dictionary, ATypedTermIsFoundInTheReadersFilesAndAltOneTakesItIntoTheSavedEntry) {
    Session session(folder_.Path());
    // None yet: the dialog says where one goes.
    HWND edit = OpenNewEntry(session);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(TextOf(GetDlgItem(edit, kDictionaryNote)).find(Dictionaries()), std::wstring::npos)
        << testing::PrintToString(Utf8(TextOf(GetDlgItem(edit, kDictionaryNote))));
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));

    // Added while the program runs, and picked up at the next lookup.
    CreateDirectoryW(Dictionaries().c_str(), nullptr);
    WriteText(Dictionaries(L"mine.edict"), Utf8(L"食べる [たべる] /(v1,vt) to eat/(P)/\n走る [はしる] /(v5r,vi) to run/(P)/\n"));
    WriteText(Dictionaries(L"english.tsv"), Utf8(L"run\t走る\n"));
    WriteText(Dictionaries(L"notes.bin"), std::string("\x01\x00\x02 not a dictionary", 20));

    const struct {
        const char* what;
        std::wstring term, meaning;  // what the user typed
        bool click;                  // else Alt+1
        std::wstring form;           // as the list names it
        std::wstring saved;          // the record in the group file
    } rows[] = {
        {"an inflected verb", L"食べました", L"", false, L"「食べる」の丁寧・過去",
         L"\"食べました\",\"たべる\",\"\",\"to eat\""},
        {"kana gets its spelling; the meaning typed stays", L"はしった", L"my note", true, L"「はしる」の過去",
         L"\"はしった\",\"はしる\",\"走る\",\"my note\r\nto run\""},
        {"an English form in a word list", L"running", L"", false, L"「run」の-ing 形",
         L"\"running\",\"\",\"\",\"走る\""},
    };
    std::wstring expected;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        edit = OpenNewEntry(session);
        ASSERT_NE(edit, nullptr);
        SetDlgItemTextW(edit, kDescriptionField, row.meaning.c_str());
        ASSERT_TRUE(LookUp(edit, row.term));
        RemoteList found(GetDlgItem(edit, kDictionaryList));
        EXPECT_EQ(found.Text(0, kFormColumn), row.form);
        if (row.click) {
            const RECT shown = found.RowOnScreen(0);
            ClickAt({(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2});
        } else {
            PressAltWith('1');
        }
        EXPECT_TRUE(PollUntil([&] { return !TextOf(GetDlgItem(edit, kDescriptionField)).empty() &&
                                           TextOf(GetDlgItem(edit, kDescriptionField)) != row.meaning; }));
        EXPECT_NE(TextOf(GetDlgItem(edit, kDictionaryNote)).find(L"notes.bin"), std::wstring::npos)
            << "the file that is no dictionary is named";
        PostMessageW(edit, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));
        expected += row.saved + L"\n";
    }
    session.Command(kApply);
    EXPECT_EQ(FileText(File(L"group01.csv")), Ansi(expected));
    EXPECT_EQ(session.Exit(), 0u);
}
