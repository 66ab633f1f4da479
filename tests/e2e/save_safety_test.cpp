// Saves of the real wordHaven.exe when things change underneath it: another
// program's edits, a logoff, an edit dialog left open, a rename whose save
// fails, a second lossy load, two slots leading to one file. The files on
// disk are checked byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {


std::string Utf16Le(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void Name(AppSettings& settings, int slot, const std::u16string& name) {
    name.copy(settings.groupNames[slot], name.size());
    settings.groupNames[slot][name.size()] = u'\0';
}

std::wstring SlotName(const Session& session, int slot) {
    wchar_t name[128] = {};
    SendMessageW(session.Item(kGroupSelector), CB_GETLBTEXT, slot, reinterpret_cast<LPARAM>(name));
    return name;
}

std::wstring FieldText(HWND field) {
    wchar_t text[256] = {};
    SendMessageW(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));  // another process's edit
    return text;
}

void SetField(HWND field, const wchar_t* text) { Session::SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

HWND OpenEditDialogWith(Session& session, const std::wstring& term) {
    session.PostCommand(kNew);
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    if (edit) SetField(GetDlgItem(edit, kTermField), term.c_str());
    return edit;
}

// As Windows ends a session: every top-level window of the program is asked
// and then told, with the time Windows gives; nothing the program shows is
// answered; then the process is ended. False when a window did not answer in time.
bool EndSessionAsWindowsDoes(ProgramRun& program) {
    bool answered = true;
    for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        for (HWND window : TopWindowsOf(program.ProcessId(), nullptr, nullptr)) {
            DWORD_PTR result = 0;
            const WPARAM wParam = message == WM_ENDSESSION ? TRUE : 0;
            if (!SendMessageTimeoutW(window, message, wParam, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &result)) {
                answered = false;
            }
        }
    }
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, program.ProcessId());
    TerminateProcess(process, 1);
    CloseHandle(process);
    program.WaitForExit(5000);
    return answered;
}

class SaveSafety : public ProgramTest {};

}  // namespace

TEST_F(SaveSafety, AnotherProgramsEditsAreShownAndNeverOverwrittenUnseen) {
    WriteText(File(L"group01.csv"), "\"one\",\"\",\"\",\"\"\n");
    Session session(folder_.Path());
    const std::string spreadsheet = "\"one\",\"\",\"\",\"\"\n\"two\",\"from a spreadsheet\",\"\",\"\"\n";
    WriteText(File(L"group01.csv"), spreadsheet);

    // No change in the glossary: OK writes what is on disk now.
    session.CloseDialogWith(IDOK);
    EXPECT_EQ(FileText(File(L"group01.csv")), spreadsheet);

    // The glossary shows the file as it now is when it is activated.
    session.OpenFromTrayIcon();
    const std::string edited = spreadsheet + "\"three\",\"\",\"\",\"\"\n";
    WriteText(File(L"group01.csv"), edited);
    Session::SendAndWait(session.Dialog(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(session.Terms(), (std::vector<std::wstring>{L"one", L"two", L"three"}));

    // Both changed: the file as it stands is kept beside before the save replaces it.
    session.AddWithNew({L"mine"});
    const std::string edited2 = edited + "\"four\",\"\",\"\",\"\"\n";
    WriteText(File(L"group01.csv"), edited2);
    session.PostCommand(kApply);
    const std::wstring told = session.Answer(IDOK, session.Dialog());
    EXPECT_NE(told.find(L"別のプログラム"), std::wstring::npos) << std::string(told.begin(), told.end());
    EXPECT_NE(told.find(L"group01.csv.orig"), std::wstring::npos);
    EXPECT_EQ(FileText(File(L"group01.csv.orig")), edited2);
    EXPECT_EQ(FileText(File(L"group01.csv")), edited + "\"mine\",\"\",\"\",\"\"\n");
    EXPECT_FALSE(ApplyEnabled(session));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SaveSafety, AnEntryAddedWhileASavesMessageIsUpStaysUnsaved) {
    const std::string lossy = "\"a\",\"b\",\"c\",\"d\",\"a fifth field\"\n";
    WriteText(File(L"group01.csv"), lossy);
    Session session(folder_.Path());
    session.AddWithNew({L"saved"});
    session.PostCommand(kApply);
    HWND box = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), session.Dialog()) << "the glossary's saves own their messages";

    ReaderWindow reader(L"added meanwhile");
    reader.SelectAndFocus(0, 15);
    PressAltWith('E');
    session.FillEntry({L"late"});
    PressOk(box);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"wordHaven"));
    PumpFor(300);
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"a\",\"b\",\"c\",\"d\"\n\"saved\",\"\",\"\",\"\"\n");
    EXPECT_TRUE(ApplyEnabled(session)) << "the late entry is not saved yet";

    session.ChooseExit();
    EXPECT_EQ(session.Answer(IDYES, session.Dialog()), kUnsavedQuestion);
    ASSERT_TRUE(session.Program().WaitForExit(15000));
    EXPECT_EQ(FileText(File(L"group01.csv")),
              "\"a\",\"b\",\"c\",\"d\"\n\"saved\",\"\",\"\",\"\"\n\"late\",\"\",\"\",\"added meanwhile\"\n");
}

TEST_F(SaveSafety, ALogoffSavesEverythingWithoutWaitingAndTellsAtTheNextStart) {
    const std::string lossy = "\"a\",\"b\",\"c\",\"d\",\"a fifth field\"\n";
    WriteText(File(L"group01.csv"), lossy);
    {
        Session session(folder_.Path());
        session.AddWithNew({L"listed"});
        SetField(session.Item(kRename), L"GROUP02");  // another group's name: refused, but no reason to lose the entries
        HWND edit = OpenEditDialogWith(session, L"half typed");
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(EndSessionAsWindowsDoes(session.Program())) << "a window waited for an answer";
    }
    EXPECT_EQ(FileText(File(L"group01.csv")),
              "\"a\",\"b\",\"c\",\"d\"\n\"listed\",\"\",\"\",\"\"\n\"half typed\",\"\",\"\",\"\"\n");
    EXPECT_EQ(FileText(File(L"group01.csv.orig")), lossy);
    EXPECT_FALSE(FileExists(File(L"GROUP02.csv")));
    EXPECT_EQ(SettingsOnDisk(File(L"wordHaven.ini")).entryCounts[0], 3);

    std::wstring told;
    Session again(folder_.Path(), &told);
    EXPECT_NE(told.find(L"group01.csv.orig"), std::wstring::npos) << std::string(told.begin(), told.end());
    EXPECT_EQ(again.Exit(), 0u);
    Session third(folder_.Path());  // told once
    EXPECT_TRUE(TopWindowsOf(third.Program().ProcessId(), L"#32770", L"wordHaven").empty());
    EXPECT_EQ(third.Exit(), 0u);
}

TEST_F(SaveSafety, ALogoffKeepsInItsNotesWhateverItCouldNotSave) {
    struct Row {
        const char* what;
        std::function<void(Session&)> before;
        std::wstring told;  // found in the notes at the next start
    };
    const std::vector<Row> rows = {
        {"an entry being edited that has no term",
         [](Session& session) {
             HWND edit = OpenEditDialogWith(session, L"");
             ASSERT_NE(edit, nullptr);
             SetField(GetDlgItem(edit, kDescriptionField), L"only a meaning");
         },
         L"only a meaning"},
        {"a backup that could not be made",
         [](Session& session) { session.AddWithNew({L"listed"}); },
         L"このファイルの毎日のバックアップを backup フォルダーに作れませんでした"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"SaveSafety-logoff");
        WriteText(folder.File(L"group01.csv"), "\"kept\",\"\",\"\",\"\"\n");
        WriteText(folder.File(L"backup"), "a file where the backups' folder would go");
        {
            Session session(folder.Path());
            row.before(session);
            EXPECT_TRUE(EndSessionAsWindowsDoes(session.Program())) << "a window waited for an answer";
        }
        std::wstring told;
        Session again(folder.Path(), &told);
        EXPECT_NE(told.find(row.told), std::wstring::npos) << Utf8(told);
        EXPECT_EQ(again.Exit(), 0u);
    }
}

TEST_F(SaveSafety, NoAboutTheEntryBeingEditedStillAsksAboutTheList) {
    struct Row {
        const char* what;
        std::function<void(Session&)> leave;
        int answer;  // to the question about the list
        std::string saved;
    };
    const std::vector<Row> rows = {
        {"exit", [](Session& session) { session.ChooseExit(); }, IDYES, "\"listed\",\"\",\"\",\"\"\n"},
        {"another group", [](Session& session) { session.SelectGroup(1, false); }, IDYES,
         "\"listed\",\"\",\"\",\"\"\n"},
        {"closing the glossary", [](Session& session) { PostMessageW(session.Dialog(), WM_CLOSE, 0, 0); }, IDNO, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"SaveSafety-no");
        Session session(folder.Path());
        session.AddWithNew({L"listed"});
        HWND edit = OpenEditDialogWith(session, L"half typed");
        ASSERT_NE(edit, nullptr);
        row.leave(session);
        EXPECT_EQ(session.Answer(IDNO, edit), kEditedEntryQuestion);
        EXPECT_EQ(session.Answer(row.answer, session.Dialog()), kUnsavedQuestion) << "the list is still asked about";
        EXPECT_TRUE(PollUntil([&] { return FileText(folder.File(L"group01.csv")) == row.saved; }, 5000));
        if (!session.Program().WaitForExit(0)) {
            EXPECT_EQ(session.Exit(), 0u);
        }
    }
}

TEST_F(SaveSafety, TheOpenEditDialogCountsAsUnsaved) {
    Session session(folder_.Path());
    HWND edit = OpenEditDialogWith(session, L"half typed");
    ASSERT_NE(edit, nullptr);
    session.ChooseExit();
    EXPECT_EQ(session.Answer(IDCANCEL, edit), kEditedEntryQuestion);
    EXPECT_TRUE(IsWindowVisible(edit)) << "Cancel stays";
    session.ChooseExit();
    EXPECT_EQ(session.Answer(IDYES, edit), kEditedEntryQuestion);
    DWORD code = 99;
    ASSERT_TRUE(session.Program().WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"half typed\",\"\",\"\",\"\"\n");
}

TEST_F(SaveSafety, AnEntryAddedWhileTheQuestionIsOpenIsNotDiscardedByItsAnswer) {
    Session session(folder_.Path());
    session.AddWithNew({L"first"});
    PostMessageW(session.Dialog(), WM_CLOSE, 0, 0);
    HWND question = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven");
    ASSERT_NE(question, nullptr);
    ReaderWindow reader(L"while asked");
    reader.SelectAndFocus(0, 11);
    PressAltWith('E');
    session.FillEntry({L"second"});
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(question) || !IsWindowVisible(question); }));
    // The answer was to a question about the list without the second entry: it is asked again.
    EXPECT_EQ(session.Answer(IDYES, session.Dialog()), kUnsavedQuestion);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"単語登録"));
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"first\",\"\",\"\",\"\"\n\"second\",\"\",\"\",\"while asked\"\n");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SaveSafety, AnUnchangedOkAfterACancelledAltEChangesNothing) {
    WriteText(File(L"group01.csv"), "\"one\",\"\",\"\",\"\"\n");
    Session session(folder_.Path());
    ReaderWindow reader(L"not wanted");
    reader.SelectAndFocus(0, 10);
    PressAltWith('E');
    HWND edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));

    session.List().Select({0});
    PostMessageW(session.Item(kWordList), WM_KEYDOWN, VK_RETURN, 0);
    edit = WaitForShownTopWindow(session.Program().ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr);
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"編集"));
    PumpFor(200);
    EXPECT_FALSE(ApplyEnabled(session));
    EXPECT_EQ(session.Exit(), 0u) << "and Exit asks nothing";
}

TEST_F(SaveSafety, ARenameTakesEffectOnlyWithASuccessfulSaveAndKeepsTheEncoding) {
    const std::string original = Utf16Le(L"\"みかん\",\"\",\"\",\"\"\n");
    WriteText(File(L"group01.csv"), original);
    Session session(folder_.Path());
    session.AddWithNew({L"梨"});
    // A name whose file fits the file system's limit of a name's length while
    // the temporary file beside it, a few characters longer, does not.
    const std::wstring tooLongForItsTemporary(80, L'果');
    SetField(session.Item(kRename), tooLongForItsTemporary.c_str());
    session.PostCommand(kApply);
    EXPECT_EQ(session.Answer(IDOK, session.Dialog()), L"csvファイルオープンに失敗しました");
    EXPECT_EQ(SlotName(session, 0), L"group01");
    EXPECT_EQ(FieldText(session.Item(kRename)), tooLongForItsTemporary) << "kept for another try";
    EXPECT_TRUE(ApplyEnabled(session));
    EXPECT_EQ(FileText(File(L"group01.csv")), original);

    SetField(session.Item(kRename), L"果物");
    session.Command(kApply);
    EXPECT_EQ(SlotName(session, 0), L"果物");
    EXPECT_EQ(FieldText(session.Item(kRename)), L"");
    EXPECT_EQ(FileText(File(L"果物.csv")), Utf16Le(L"\"みかん\",\"\",\"\",\"\"\n\"梨\",\"\",\"\",\"\"\n"));
    EXPECT_EQ(std::u16string(SettingsOnDisk(File(L"wordHaven.ini")).groupNames[0]), u"果物");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SaveSafety, EveryLossyLoadKeepsItsOriginal) {
    const std::string first = "\"a\",\"b\",\"c\",\"d\",\"extra\"\n";
    WriteText(File(L"group01.csv"), first);
    Session session(folder_.Path());
    session.AddWithNew({L"x"});
    session.PostCommand(kApply);
    session.Answer(IDOK, session.Dialog());
    EXPECT_EQ(FileText(File(L"group01.csv.orig")), first);

    // Exported again with new extra fields, and loaded again.
    const std::string second = "\"a\",\"b\",\"c\",\"d\",\"other extra\"\n\"x\",\"\",\"\",\"\",\"more\"\n";
    WriteText(File(L"group01.csv"), second);
    session.SelectGroup(1);
    session.SelectGroup(0);
    session.AddWithNew({L"y"});
    session.PostCommand(kApply);
    const std::wstring told = session.Answer(IDOK, session.Dialog());
    EXPECT_NE(told.find(L"group01.csv.orig2"), std::wstring::npos) << std::string(told.begin(), told.end());
    EXPECT_EQ(FileText(File(L"group01.csv.orig2")), second);
    EXPECT_EQ(FileText(File(L"group01.csv.orig")), first);
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(SaveSafety, TwoSlotsLeadingToOneFileAreSeparatedAtLoad) {
    const std::string rows = "\"theirs\",\"\",\"\",\"\"\n";
    WriteText(File(L"Words.csv"), rows);
    AppSettings settings = DefaultAppSettings();
    Name(settings, 0, u"Words");
    Name(settings, 3, u"words");
    WriteSettings(File(L"wordHaven.ini"), settings);

    std::wstring told;
    Session session(folder_.Path(), &told);
    EXPECT_NE(told.find(L"group04"), std::wstring::npos) << std::string(told.begin(), told.end());
    EXPECT_EQ(SlotName(session, 0), L"Words");
    EXPECT_EQ(SlotName(session, 3), L"group04");
    session.SelectGroup(3);
    EXPECT_TRUE(session.Terms().empty());
    session.AddWithNew({L"mine"});
    session.Command(kApply);
    EXPECT_EQ(FileText(File(L"Words.csv")), rows);
    EXPECT_EQ(FileText(File(L"group04.csv")), "\"mine\",\"\",\"\",\"\"\n");
    EXPECT_EQ(session.Exit(), 0u);
}
