// A reader's tools on the real wordHaven.exe: the glossary exported for Anki
// and for spreadsheets (read back here by parsers of those formats, not the
// program's own reader), a sort by any column kept across a restart, daily
// backups of the files it replaces, and the shortcut that starts it with Windows.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/save_as_dialog.h"
#include "support/export_readers.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

using Rows = Records;

constexpr int kExportButton = 1250;
constexpr int kMoveUp = 1043;

// As Calc and Anki read them (tests/support/export_readers.h), every record whole.
Rows ParseDelimited(std::string_view text, char separator) {
    bool complete = false;
    Rows rows = ReadDelimited(text, std::string_view(&separator, 1), '\0', &complete);
    EXPECT_TRUE(complete) << "a quote left open, or a record without its line end";
    return rows;
}

AnkiNotes ParseAnki(const std::string& bytes) {
    bool complete = false;
    AnkiNotes notes = ReadAnki(bytes, &complete);
    EXPECT_TRUE(complete) << "a quote left open, or a record without its line end";
    EXPECT_EQ(notes.headers["separator"], "tab");
    return notes;
}

bool WaitForFile(const std::wstring& path) {
    return PollUntil([&] { return FileExists(path); }, 10000);
}

class ReaderTools : public ProgramTest {};

// Fields with every character the formats must carry.
const std::wstring kHardTerm = L"tab\there";

}  // namespace

TEST_F(ReaderTools, ExportsTheOpenGroupAsAnkiNotesWithItsUnsavedRows) {
    const std::string saved = Utf8(L"\xFEFF") + Utf8(L"\"" + kHardTerm + L"\",\"よみ\",\"\",\"" +
                                                     L"line one\r\nline \"\"two\"\", 二行目\"\n\"#1\",\"\",\"\",\"x\"\n");
    WriteFileBytes(folder_.File(L"group01.csv"), {saved.begin(), saved.end()});
    Session session(folder_.Path());
    session.AddWithNew({L"栞", L"しおり", L"shiori", L"目印"});  // not saved

    session.PostCommand(kExportButton);
    const std::wstring out = folder_.File(L"cards.txt");
    SaveAs(session.Program().ProcessId(), out, 1);
    ASSERT_TRUE(WaitForFile(out));
    const AnkiNotes anki = ParseAnki(FileText(out));
    EXPECT_EQ(anki.headers.at("html"), "true");
    EXPECT_EQ(anki.headers.at("notetype"), "Basic");
    EXPECT_EQ(anki.headers.count("columns"), 0u);
    EXPECT_EQ(anki.headers.at("deck"), "wordHaven::group01");
    EXPECT_EQ(anki.headers.at("tags"), "wordHaven");
    // Front and back; the third column is each note's id.
    Rows cards = anki.notes;
    for (auto& card : cards) card.resize(2);
    EXPECT_EQ(cards, (Rows{{Utf8(kHardTerm), Utf8(L"よみ<br>line one<br>line &quot;two&quot;, 二行目")},
                           {"#1", "x"},
                           {Utf8(L"栞"), Utf8(L"しおり<br>shiori<br>目印")}}));
    EXPECT_EQ(anki.headers.at("guid column"), "3");
    EXPECT_TRUE(IsWindowEnabled(session.Item(kApply))) << "exporting saves nothing";

    // The four texts kept apart, for a note type of the user's own.
    session.PostCommand(kExportButton);
    const std::wstring fields = folder_.File(L"fields.txt");
    SaveAs(session.Program().ProcessId(), fields, 5);
    ASSERT_TRUE(WaitForFile(fields));
    AnkiNotes apart = ParseAnki(FileText(fields));
    EXPECT_EQ(apart.headers.at("tags column"), "5");
    ASSERT_EQ(apart.notes.size(), 3u);
    apart.notes[2].resize(5);
    EXPECT_EQ(apart.notes[2], (std::vector<std::string>{Utf8(L"栞"), Utf8(L"しおり"), "shiori", Utf8(L"目印"), "wordHaven"}));

    // A name typed without an extension takes the chosen type's.
    session.PostCommand(kExportButton);
    SaveAs(session.Program().ProcessId(), folder_.File(L"sheet"), 3);
    ASSERT_TRUE(WaitForFile(folder_.File(L"sheet.csv")));
    EXPECT_EQ(FileText(folder_.File(L"sheet.csv")).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(FileText(folder_.File(L"group01.csv")), saved);
    session.ChooseExit();
    session.Answer(IDNO, session.Dialog());
    DWORD code = 99;
    EXPECT_TRUE(session.Program().WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ReaderTools, ExportsAllGroupsAsASpreadsheetFromTheTrayMenu) {
    const std::string first = Utf8(L"\xFEFF\"犬\",\"いぬ\",\"inu\",\"dog, \"\"pet\"\"\"\n");
    const std::string third = Ansi(L"\"猫\",\"ねこ\",\"neko\",\"cat\r\nline two\"\n");
    WriteFileBytes(folder_.File(L"group01.csv"), {first.begin(), first.end()});
    WriteFileBytes(folder_.File(L"group03.csv"), {third.begin(), third.end()});
    const std::string old = "an older export";
    const std::wstring out = folder_.File(L"all.csv");
    WriteFileBytes(out, {old.begin(), old.end()});
    Session session(folder_.Path());

    ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'x'));
    SaveAs(session.Program().ProcessId(), out, 4, true);
    ASSERT_TRUE(PollUntil([&] { return FileText(out) != old; }, 10000)) << "the file was not replaced";
    const std::string bytes = FileText(out);
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ParseDelimited(std::string_view(bytes).substr(3), ','),
              (Rows{{Utf8(L"用語"), Utf8(L"読み方"), Utf8(L"スペル"), Utf8(L"意味"), Utf8(L"グループ")},
                    {Utf8(L"犬"), Utf8(L"いぬ"), "inu", "dog, \"pet\"", "group01"},
                    {Utf8(L"猫"), Utf8(L"ねこ"), "neko", "cat\r\nline two", "group03"}}));
    EXPECT_EQ(bytes.find("\n", 0), bytes.find("\r\n", 0) + 1) << "rows end with CR LF";
    EXPECT_FALSE(FileExists(out + L".tmp"));
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(ReaderTools, ASortByReadingIsKeptAcrossARestart) {
    const std::string rows = Ansi(L"\"b\",\"か\",\"\",\"\"\n\"a\",\"う\",\"\",\"\"\n\"c\",\"あ\",\"\",\"\"\n");
    WriteFileBytes(folder_.File(L"group01.csv"), {rows.begin(), rows.end()});
    {
        Session session(folder_.Path());
        HWND header = FindWindowExW(session.Item(kWordList), nullptr, L"SysHeader32", nullptr);
        RECT r;
        GetWindowRect(header, &r);
        ClickAt({r.left + 125, (r.top + r.bottom) / 2});  // 読み方, after the 100 pixels of 用語
        ASSERT_TRUE(PollUntil([&] { return session.Terms() == std::vector<std::wstring>{L"c", L"a", L"b"}; }, 5000));
        EXPECT_FALSE(IsWindowEnabled(session.Item(kMoveUp)));
        EXPECT_EQ(session.Exit(), 0u);
    }
    ViewLayout layout{};
    AppSettings settings{};
    const std::vector<uint8_t> image = ReadFileBytes(folder_.File(L"wordHaven.ini"));
    ASSERT_EQ(image.size(), kSettingsFileSize);
    ReadSettingsImage(image.data(), settings, layout);
    EXPECT_EQ(layout.sortStates[0], 0);
    EXPECT_EQ(layout.sortStates[1], 1);
    Session again(folder_.Path());
    EXPECT_EQ(again.Terms(), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    EXPECT_FALSE(IsWindowEnabled(again.Item(kMoveUp)));
    EXPECT_EQ(again.Exit(), 0u);
}

TEST_F(ReaderTools, TheFirstSaveOfADayKeepsTheOldFileAndOldDaysGo) {
    const std::string before = "\"old\",\"\",\"\",\"\"\n";
    WriteFileBytes(folder_.File(L"group01.csv"), {before.begin(), before.end()});
    // Fifteen days of earlier backups, and a folder of the user's own.
    CreateDirectoryW(folder_.File(L"backup").c_str(), nullptr);
    for (int day = 1; day <= 15; ++day) {
        wchar_t name[32];
        swprintf(name, 32, L"backup\\2020-01-%02d", day);
        CreateDirectoryW(folder_.File(name).c_str(), nullptr);
        WriteFileBytes(folder_.File(std::wstring(name) + L"\\group01.csv"), {'x'});
    }
    CreateDirectoryW(folder_.File(L"backup\\mine").c_str(), nullptr);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t today[32];
    swprintf(today, 32, L"backup\\%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);

    Session session(folder_.Path());
    session.AddWithNew({L"new"});
    session.Command(kApply);
    EXPECT_EQ(FileText(folder_.File(std::wstring(today) + L"\\group01.csv")), before);
    session.AddWithNew({L"newer"});
    session.Command(kApply);
    EXPECT_EQ(FileText(folder_.File(std::wstring(today) + L"\\group01.csv")), before) << "one copy a day";
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2020-01-01")));
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2020-01-02")));
    EXPECT_TRUE(FileExists(folder_.File(L"backup\\2020-01-03\\group01.csv")));
    EXPECT_TRUE(FileExists(folder_.File(L"backup\\2020-01-15\\group01.csv")));
    EXPECT_TRUE(FileExists(folder_.File(L"backup\\mine")));
    EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "no message";
    EXPECT_EQ(session.Exit(), 0u);
}

TEST_F(ReaderTools, StartWithWindowsMakesAndRemovesTheStartupShortcut) {
    PWSTR startup = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &startup)));
    const std::wstring shortcut = std::wstring(startup) + L"\\wordHaven.lnk";
    CoTaskMemFree(startup);
    DeleteFileW(shortcut.c_str());
    Session session(folder_.Path());

    ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w'));
    ASSERT_TRUE(PollUntil([&] { return FileExists(shortcut); }, 10000));
    PumpFor(300);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        IShellLinkW* link = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                               reinterpret_cast<void**>(&link))));
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        EXPECT_TRUE(SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)));
        wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        EXPECT_EQ(CompareStringOrdinal(target, -1, ProgramPath().c_str(), -1, TRUE), CSTR_EQUAL) << target;
        EXPECT_EQ(CompareStringOrdinal(folder, -1, folder_.Path().c_str(), -1, TRUE), CSTR_EQUAL) << folder;
        file->Release();
        link->Release();
    }
    CoUninitialize();

    PumpFor(300);
    ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w'));
    EXPECT_TRUE(PollUntil([&] { return !FileExists(shortcut); }, 10000));
    EXPECT_EQ(session.Exit(), 0u);
}
