// What a user wrote is never lost on the everyday paths of the real
// wordHaven.exe: unsaved changes, renames, files of other programs, files
// held open, damaged settings. The files on disk are checked byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

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


// With its byte-order mark, as the "Unicode text" of spreadsheet programs.
std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::wstring RenameFieldText(const Session& session) {
    wchar_t text[128] = {};
    SendMessageW(session.Item(kRename), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));  // another process's edit
    return text;
}

void SetRenameField(const Session& session, const wchar_t* name) {
    Session::SendAndWait(session.Item(kRename), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
}

class DataSafety : public ProgramTest {};

}  // namespace

TEST_F(DataSafety, AnEntryAddedWithAltEIsAskedAboutAndSavedAtExit) {
    Session session(folder_.Path());
    ReaderWindow reader(L"a bookmark between pages");
    reader.SelectAndFocus(0, 24);
    PressAltWith('E');
    session.FillEntry({L"栞"});
    ASSERT_TRUE(ApplyEnabled(session));

    // Switching the group and the title bar's close ask first; Cancel changes nothing.
    session.SelectGroup(1, false);
    EXPECT_EQ(session.Answer(IDCANCEL, session.Dialog()), kUnsavedQuestion);
    EXPECT_EQ(SendMessageW(session.Item(kGroupSelector), CB_GETCURSEL, 0, 0), 0) << "back on the group with the changes";
    PostMessageW(session.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(session.Answer(IDCANCEL, session.Dialog()), kUnsavedQuestion);
    EXPECT_TRUE(IsWindowVisible(session.Dialog()));
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"栞"});

    session.ChooseExit();
    EXPECT_EQ(session.Answer(IDYES, session.Dialog()), kUnsavedQuestion);
    DWORD code = 99;
    ASSERT_TRUE(session.Program().WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FileText(File(L"group01.csv")), Ansi(L"\"栞\",\"\",\"\",\"a bookmark between pages\"\n"));
}

TEST_F(DataSafety, YesSavesBeforeTheGroupChangesAndNoDiscardsOnClose) {
    Session session(folder_.Path());
    session.AddWithNew({L"one"});
    session.SelectGroup(1, false);
    session.Answer(IDYES, session.Dialog());
    ASSERT_TRUE(PollUntil([&] { return SendMessageW(session.Item(kGroupSelector), CB_GETCURSEL, 0, 0) == 1; }));
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"one\",\"\",\"\",\"\"\n");
    EXPECT_FALSE(ApplyEnabled(session));

    session.AddWithNew({L"two"});
    PostMessageW(session.Dialog(), WM_CLOSE, 0, 0);
    session.Answer(IDNO, session.Dialog());
    ASSERT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"単語登録"));
    EXPECT_FALSE(FileExists(File(L"group02.csv"))) << "the user chose to discard";
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, WindowsEndingTheSessionSavesUnsavedEntriesWithoutAsking) {
    Session session(folder_.Path());
    session.AddWithNew({L"kept", L"", L"", L"through a shutdown"});
    Session::SendAndWait(session.Main(), WM_QUERYENDSESSION, 0, 0);
    Session::SendAndWait(session.Main(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "nobody to ask";
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"kept\",\"\",\"\",\"through a shutdown\"\n");
    EXPECT_EQ(SettingsOnDisk(File(L"wordHaven.ini")).entryCounts[0], 1);
}

TEST_F(DataSafety, ARenameNeverTakesAnotherGroupsFile) {
    const std::string theirs = "\"their entry\",\"\",\"\",\"\"\n";
    const std::string madeElsewhere = "\"from elsewhere\",\"\",\"\",\"\"\n";
    WriteText(File(L"group02.csv"), theirs);
    WriteText(File(L"notes.csv"), madeElsewhere);
    Session session(folder_.Path());
    session.AddWithNew({L"mine"});

    session.TypeGroupName(L"GROUP02");
    session.PostCommand(kApply);
    EXPECT_EQ(session.Answer(IDOK, session.Dialog()), L"同じ名前のグループがすでにあります。別の名前を入力してください。");
    EXPECT_EQ(RenameFieldText(session), L"GROUP02") << "kept for the user to mend";
    SetRenameField(session, L"notes");
    session.PostCommand(IDOK);
    EXPECT_EQ(session.Answer(IDOK, session.Dialog()),
              L"この名前のファイルがデータフォルダーにすでにあります。別の名前を入力してください。");
    EXPECT_EQ(FileText(File(L"group02.csv")), theirs);
    EXPECT_EQ(FileText(File(L"notes.csv")), madeElsewhere);
    EXPECT_TRUE(ApplyEnabled(session));

    // Other letter case: the group's own file.
    SetRenameField(session, L"Group01");
    session.Command(kApply);
    EXPECT_FALSE(ApplyEnabled(session));
    EXPECT_EQ(FileText(File(L"group01.csv")), "\"mine\",\"\",\"\",\"\"\n");

    // An empty group takes over a file made elsewhere by its name, and shows it.
    session.SelectGroup(2);
    SetRenameField(session, L"notes");
    session.Command(kApply);
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty());
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"from elsewhere"});
    EXPECT_EQ(FileText(File(L"notes.csv")), madeElsewhere);
    EXPECT_EQ(std::u16string(SettingsOnDisk(File(L"wordHaven.ini")).groupNames[2]), u"notes");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, FilesInUtf8AndUtf16AreReadAndWrittenBackInTheirEncoding) {
    WriteText(File(L"group01.csv"), Utf8(L"りんご,apple\r\n"));
    WriteText(File(L"group02.csv"), Utf16(L"\"みかん\",\"orange\"\r\n", false));
    WriteText(File(L"group03.csv"), Utf16(L"ぶどう\n", true));
    Session session(folder_.Path());
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"りんご"});
    session.AddWithNew({L"𠮟る"});
    session.Command(kApply);
    EXPECT_EQ(FileText(File(L"group01.csv")), Utf8(L"\"りんご\",\"apple\",\"\",\"\"\n\"𠮟る\",\"\",\"\",\"\"\n"));

    session.SelectGroup(1);
    EXPECT_EQ(session.List().Text(0, 1), L"orange");
    session.AddWithNew({L"梨"});
    session.Command(kApply);
    EXPECT_EQ(FileText(File(L"group02.csv")), Utf16(L"\"みかん\",\"orange\",\"\",\"\"\n\"梨\",\"\",\"\",\"\"\n", false));

    session.SelectGroup(2);
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"ぶどう"});
    session.AddWithNew({L"桃"});
    session.Command(kApply);
    EXPECT_EQ(FileText(File(L"group03.csv")), Utf16(L"\"ぶどう\",\"\",\"\",\"\"\n\"桃\",\"\",\"\",\"\"\n", true));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, ALossyLoadKeepsTheOriginalOnceBeforeTheFirstSave) {
    const std::string lossy = "\"a\",\"b\",\"c\",\"d\",\"a fifth field\"\n\"never closed,x\n";
    WriteText(File(L"group01.csv"), lossy);
    WriteText(File(L"group01.csv.orig"), "an earlier copy");
    Session session(folder_.Path());
    session.AddWithNew({L"new"});
    session.PostCommand(kApply);
    const std::wstring told = session.Answer(IDOK, session.Dialog());
    EXPECT_NE(told.find(L"group01.csv.orig2"), std::wstring::npos) << std::string(told.begin(), told.end());
    ASSERT_TRUE(PollUntil([&] { return !ApplyEnabled(session); }));
    EXPECT_EQ(FileText(File(L"group01.csv.orig2")), lossy);
    EXPECT_EQ(FileText(File(L"group01.csv.orig")), "an earlier copy");

    session.AddWithNew({L"again"});
    session.Command(kApply);
    EXPECT_FALSE(FileExists(File(L"group01.csv.orig3"))) << "kept once";
    EXPECT_EQ(FileText(File(L"group01.csv")).substr(0, 26), "\"a\",\"b\",\"c\",\"d\"\n\"never clo");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, AFileHeldOpenByAnotherProgramLoadsAndAFailedSaveLosesNothing) {
    const std::string rows = "\"held\",\"\",\"\",\"\"\n";
    WriteText(File(L"group01.csv"), rows);
    // As an editor holds a file it has open: reading and writing shared, not deleting.
    HANDLE editor = CreateFileW(File(L"group01.csv").c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    Session session(folder_.Path());
    EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"held"});

    session.AddWithNew({L"added"});
    session.PostCommand(kApply);
    HWND box = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kSaveFailed);
    EXPECT_EQ(CountFiles(File(L"group01.csv*.tmp")), 0) << "cleared away before the message";
    PressOk(box);
    EXPECT_EQ(FileText(File(L"group01.csv")), rows);
    CloseHandle(editor);

    // Held only for a moment, as a virus scanner or indexer does: the save waits for it.
    HANDLE scanner = CreateFileW(File(L"group01.csv").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    session.PostCommand(kApply);
    PumpFor(300);
    CloseHandle(scanner);
    ASSERT_TRUE(PollUntil([&] { return !ApplyEnabled(session); }, 5000));
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty());
    EXPECT_EQ(FileText(File(L"group01.csv")), rows + "\"added\",\"\",\"\",\"\"\n");
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, AnUnreadableFileStaysGuardedInAnyLetterCaseUntilItIsGone) {
    const std::string rows = "\"unseen\",\"\",\"\",\"\"\n";
    WriteText(File(L"Words.csv"), rows);
    AppSettings settings = DefaultAppSettings();
    std::u16string(u"Words").copy(settings.groupNames[0], 5);
    settings.groupNames[0][5] = u'\0';
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    WriteFileBytes(File(L"wordHaven.ini"), image);
    HANDLE held = CreateFileW(File(L"Words.csv").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::wstring startMessage;
    Session session(folder_.Path(), &startMessage);
    EXPECT_EQ(startMessage, kSaveFailed);
    CloseHandle(held);

    SetRenameField(session, L"words");
    session.AddWithNew({L"new"});
    session.PostCommand(kApply);
    EXPECT_EQ(session.Answer(IDOK, session.Dialog()), kSaveFailed) << "the same file in other letters";
    EXPECT_EQ(FileText(File(L"Words.csv")), rows);

    // The user moves the file away; once the group finds it gone it is saved again.
    ASSERT_TRUE(MoveFileW(File(L"Words.csv").c_str(), File(L"moved.csv").c_str()));
    session.SelectGroup(1, false);
    session.Answer(IDNO, session.Dialog());
    session.SelectGroup(0);
    session.AddWithNew({L"fresh"});
    session.Command(kApply);
    EXPECT_FALSE(ApplyEnabled(session));
    EXPECT_EQ(FileText(File(L"words.csv")), "\"fresh\",\"\",\"\",\"\"\n");
    EXPECT_EQ(FileText(File(L"moved.csv")), rows);
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(DataSafety, ARenameIsRecordedAtOnceSoACrashLosesNothing) {
    {
        Session session(folder_.Path());
        session.AddWithNew({L"entry"});
        SetRenameField(session, L"語彙");
        session.CloseDialogWith(IDOK);
        EXPECT_EQ(std::u16string(SettingsOnDisk(File(L"wordHaven.ini")).groupNames[0]), u"語彙");
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, session.Program().ProcessId());
        TerminateProcess(process, 3);  // the power goes
        CloseHandle(process);
        session.Program().WaitForExit(5000);
    }
    Session again(folder_.Path());
    wchar_t name[128] = {};
    SendMessageW(again.Item(kGroupSelector), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, L"語彙");
    EXPECT_EQ(again.Terms(), std::vector<std::wstring>{L"entry"});
    EXPECT_EQ(again.Exit(), 0u);
}
