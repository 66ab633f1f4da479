// The real wordHaven.exe on files that are not plain files of its own: group
// and settings files that are symbolic links into another folder (a cloud or
// shared one), and the temporary files of saves cut off before their rename.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/settings.h"
#include "support/host_files.h"
#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

class LinksAndTemporaryFiles : public ProgramTest {};

std::string SettingsImage() {
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(DefaultAppSettings(), DefaultViewLayout(), image.data());
    return {image.begin(), image.end()};
}

bool NoMessage(Session& session) { return TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty(); }

HWND ShownWindow(DWORD processId, const wchar_t* title) {
    for (HWND window : TopWindowsOf(processId, L"#32770", title)) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Starts the program: the file its start offers to take a cut-off save's
// content from, or empty when it starts without a message.
std::wstring OfferedAtStart(const TestFolder& folder) {
    ProgramRun program(folder.Path());
    HWND message = nullptr;
    EXPECT_TRUE(PollUntil([&] {
        message = ShownWindow(program.ProcessId(), L"wordHaven");
        return message || ShownWindow(program.ProcessId(), L"単語登録");
    }, 15000));
    if (!message) return {};
    const std::wstring text = MessageBoxText(message);
    PressOk(message);
    return text.substr(text.rfind(L'\n') + 1);
}

}  // namespace

// Each row: the files and links of a data folder, one session that adds an
// entry and saves; the bytes each named file holds after, or none when gone.
// A row whose save is cut off has it killed as its temporary file appears,
// and the group file lost after, as a sync tool or the user may remove it;
// the next start may offer only a file that holds the whole save.
TEST_F(LinksAndTemporaryFiles, SavesGoThroughLinksAndLeaveNothingToPileUpOrToBeTakenForWhole) {
    using Files = std::vector<std::pair<std::wstring, std::optional<std::string>>>;
    struct Row {
        const char* what;
        std::vector<std::pair<std::wstring, std::string>> files;
        std::vector<std::pair<std::wstring, std::wstring>> links;  // link, and where it leads
        bool saveCutOff;
        Files after;
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t today[64];
    swprintf(today, 64, L"backup\\%04d-%02d-%02d\\group01.csv", now.wYear, now.wMonth, now.wDay);
    const std::string before = "\"old\",\"\",\"\",\"\"\n", added = "\"new\",\"\",\"\",\"\"\n";
    std::string large;
    for (int n = 0; n < 8000; ++n) large += "\"term " + std::to_string(n) + "\",\"\",\"\",\"" + std::string(3000, 'd') + "\"\n";
    const Row rows[] = {
        {"a group file and a settings file that are symbolic links",
         {{L"cloud\\group01.csv", before}, {L"cloud\\wordHaven.ini", SettingsImage()}},
         {{L"group01.csv", L"cloud\\group01.csv"}, {L"wordHaven.ini", L"cloud\\wordHaven.ini"}},
         false,
         {{L"cloud\\group01.csv", before + added}, {today, before}}},
        {"temporary files left beside intact files go at the next start",
         {{L"group01.csv", before}, {L"wordHaven.ini", SettingsImage()}, {L"group01.csv.1f-2.tmp", "cut off"},
          {L"group01.csv.3-4.part", "cut"}, {L"wordHaven.ini.5-6.tmp", "x"}, {L"group01.csv.mine.tmp", "mine"}},
         {},
         false,
         {{L"group01.csv", before + added}, {L"group01.csv.1f-2.tmp", {}}, {L"group01.csv.3-4.part", {}},
          {L"wordHaven.ini.5-6.tmp", {}}, {L"group01.csv.mine.tmp", "mine"}}},
        {"a save cut off while it writes is never offered",
         {{L"group01.csv", large}, {L"wordHaven.ini", SettingsImage()}}, {}, true, {{L"group01.csv", {}}}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"LinksAndTemporaryFiles.row" + std::to_wstring(++number));
        for (const auto& [name, bytes] : row.files) PutFile(folder.File(name), bytes);
        std::vector<std::unique_ptr<HostLink>> links;
        for (const auto& [link, target] : row.links) {
            links.push_back(std::make_unique<HostLink>(folder.File(target), folder.File(link)));
            ASSERT_TRUE(links.back()->Made());
        }
        {
            Session session(folder.Path());
            EXPECT_TRUE(NoMessage(session));
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
                EXPECT_TRUE(FileText(offered) == large + added) << Utf8(offered) << " holds less than the save";
            }
        }
        for (const auto& [name, bytes] : row.after) {
            if (bytes) {
                EXPECT_EQ(FileText(folder.File(name)), *bytes) << Utf8(name);
            } else {
                EXPECT_FALSE(FileExists(folder.File(name))) << Utf8(name);
            }
        }
        for (const auto& [link, target] : row.links) {
            EXPECT_EQ(ReachedPathOf(folder.File(link)), ReachedPathOf(folder.File(target))) << "the link stays";
        }
    }
}
