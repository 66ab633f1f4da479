// The real wordHaven.exe on group and settings files that are symbolic links
// into another folder (a cloud or shared one), and on the temporary files of
// saves cut off before their rename.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/settings.h"
#include "support/folder_rows.h"
#include "support/program_run.h"
#include "support/program_test.h"
#include "support/program_windows.h"
#include "support/session.h"
#include "support/windows_found.h"

namespace {

class LinksAndTemporaryFiles : public ProgramTest {};

std::string SettingsImage() {
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(DefaultAppSettings(), DefaultViewLayout(), image.data());
    return {image.begin(), image.end()};
}

HWND ShownDialog(DWORD processId, const wchar_t* title) {
    for (HWND window : TopWindowsOf(processId, L"#32770", title)) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// The file a start offers to take a cut-off save's content from, or empty.
std::wstring OfferedAtStart(const TestFolder& folder) {
    ProgramRun program(folder.Path());
    HWND message = nullptr;
    EXPECT_TRUE(PollUntil([&] {
        message = ShownDialog(program.ProcessId(), L"wordHaven");
        return message || ShownDialog(program.ProcessId(), L"単語登録");
    }, 15000));
    if (!message) return {};
    const std::wstring text = MessageBoxText(message);
    PressOk(message);
    return text.substr(text.rfind(L'\n') + 1);
}

}  // namespace

// Each row: a data folder, then a session that adds an entry and saves. A
// row whose save is cut off has it killed as its temporary file appears and
// the group file lost after (a sync tool or the user may remove it); the
// next start may offer only a file holding the whole save.
TEST_F(LinksAndTemporaryFiles, SavesGoThroughLinksAndLeaveNothingToPileUpOrToBeTakenForWhole) {
    struct Row {
        const char* what;
        FileBytes files;
        Links links;
        bool saveCutOff;
        FilesAfter after;
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t today[64];
    swprintf(today, 64, L"backup\\%04d-%02d-%02d\\group01.csv", now.wYear, now.wMonth, now.wDay);
    const std::string before = "\"old\",\"\",\"\",\"\"\n", added = "\"new\",\"\",\"\",\"\"\n";
    std::string large;
    for (int n = 0; n < 8000; ++n) large += "\"term " + std::to_string(n) + "\",\"\",\"\",\"" + std::string(3000, 'd') + "\"\n";
    const Row rows[] = {
        {"the group file and the settings file are symbolic links",
         {{L"cloud\\group01.csv", before}, {L"cloud\\wordHaven.ini", SettingsImage()}},
         {{L"group01.csv", L"cloud\\group01.csv"}, {L"wordHaven.ini", L"cloud\\wordHaven.ini"}}, false,
         {{L"cloud\\group01.csv", before + added}, {today, before}}},
        {"stale temporary files beside intact files",
         {{L"group01.csv", before}, {L"wordHaven.ini", SettingsImage()}, {L"group01.csv.1f-2.tmp", "cut off"},
          {L"group01.csv.3-4.part", "cut"}, {L"wordHaven.ini.5-6.tmp", "x"}, {L"group01.csv.mine.tmp", "mine"}},
         {}, false,
         {{L"group01.csv", before + added}, {L"group01.csv.1f-2.tmp", {}}, {L"group01.csv.3-4.part", {}},
          {L"wordHaven.ini.5-6.tmp", {}}, {L"group01.csv.mine.tmp", "mine"}}},
        {"a truncated temporary file", {{L"group01.csv", large}, {L"wordHaven.ini", SettingsImage()}}, {}, true, {}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"LinksAndTemporaryFiles.row" + std::to_wstring(++number));
        LaidOutFolder laidOut(folder, row.files, row.links);
        ASSERT_TRUE(laidOut.Made());
        {
            Session session(folder.Path());
            EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "no message";
            session.AddWithNew({L"new"});
            if (!row.saveCutOff) {
                session.Command(kApply);
                EXPECT_EQ(session.Exit(), 0u);
            } else {
                session.PostCommand(kApply);
                // Looked for without a pause: the kill is to land while the file is written.
                const DWORD start = GetTickCount();
                while (CountFiles(folder.File(L"group01.csv.*.part")) + CountFiles(folder.File(L"group01.csv.*.tmp")) == 0) {
                    ASSERT_LT(GetTickCount() - start, 20000u) << "no save began";
                }
                HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, session.Program().ProcessId());
                TerminateProcess(process, 3);
                CloseHandle(process);
                ASSERT_TRUE(session.Program().WaitForExit(5000));
            }
        }
        if (row.saveCutOff) {
            DeleteFileW(folder.File(L"group01.csv").c_str());
            const std::wstring offered = OfferedAtStart(folder);
            if (!offered.empty()) {
                EXPECT_TRUE(FileText(offered) == large + added) << Utf8(offered) << " is cut off";
            }
        }
        laidOut.Expect(row.after);
    }
}
