// The daily backups of the real wordHaven.exe as they stand on disk after a
// day's saves: old days go, but only the copies the backups made, never what
// the user keeps under backup\ or what a link there leads to, and a clock
// that once ran ahead costs no real day.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/host_files.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

class Backups : public ProgramTest {};

std::wstring Day(int year, int month, int day) {
    wchar_t name[32];
    swprintf(name, 32, L"backup\\%04d-%02d-%02d", year, month, day);
    return name;
}

// Day folders of January, from first to last, and more.
std::vector<std::wstring> Days(int year, int first, int last, std::vector<std::wstring> more = {}) {
    for (int day = first; day <= last; ++day) more.push_back(Day(year, 1, day));
    return more;
}

}  // namespace

// Each row: day folders holding a copy of group01.csv, the user's files and
// links, then two saves of the day; the bytes each named file holds after,
// or none when it is to be gone.
TEST_F(Backups, OldDaysGoButNothingTheBackupsDidNotMakeAndNeverToday) {
    using Files = std::vector<std::pair<std::wstring, std::optional<std::string>>>;
    struct Row {
        const char* what;
        std::vector<std::wstring> days;
        std::vector<std::pair<std::wstring, std::string>> usersFiles;
        std::vector<std::pair<std::wstring, std::wstring>> links;  // link, and where it leads
        Files after;
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring today = Day(now.wYear, now.wMonth, now.wDay) + L"\\group01.csv";
    const std::string before = "\"old\",\"\",\"\",\"\"\n";
    const Row rows[] = {
        {"the user's file in an old day folder stays, and keeps its folder",
         Days(2020, 1, 15), {{Day(2020, 1, 1) + L"\\mine.txt", "mine"}}, {},
         {{Day(2020, 1, 1) + L"\\mine.txt", "mine"}, {Day(2020, 1, 1) + L"\\group01.csv", {}},
          {Day(2020, 1, 2) + L"\\group01.csv", {}}, {Day(2020, 1, 3) + L"\\group01.csv", "x"}, {today, before}}},
        {"a date-named link leads to files that all stay",
         Days(2020, 2, 15), {{L"elsewhere\\group01.csv", "theirs"}, {L"elsewhere\\notes.txt", "theirs"}},
         {{Day(2020, 1, 1), L"elsewhere"}},
         {{L"elsewhere\\group01.csv", "theirs"}, {L"elsewhere\\notes.txt", "theirs"},
          {Day(2020, 1, 2) + L"\\group01.csv", {}}, {Day(2020, 1, 3) + L"\\group01.csv", "x"}, {today, before}}},
        {"today's backup survives the saves after it beside days after today",
         Days(2999, 1, 14), {}, {},
         {{Day(2999, 1, 1) + L"\\group01.csv", "x"}, {Day(2999, 1, 14) + L"\\group01.csv", "x"}, {today, before}}},
        {"days after today push no real day out",
         Days(2999, 1, 14, Days(2020, 2, 15)), {}, {},
         {{Day(2020, 1, 2) + L"\\group01.csv", {}}, {Day(2020, 1, 3) + L"\\group01.csv", "x"},
          {Day(2020, 1, 15) + L"\\group01.csv", "x"}, {Day(2999, 1, 1) + L"\\group01.csv", "x"}, {today, before}}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"Backups.row" + std::to_wstring(++number));
        WriteText(folder.File(L"group01.csv"), before);
        for (const std::wstring& day : row.days) PutFile(folder.File(day + L"\\group01.csv"), "x");
        for (const auto& [name, bytes] : row.usersFiles) PutFile(folder.File(name), bytes);
        std::vector<std::unique_ptr<HostLink>> links;
        for (const auto& [link, target] : row.links) {
            links.push_back(std::make_unique<HostLink>(folder.File(target), folder.File(link)));
            ASSERT_TRUE(links.back()->Made());
        }
        {
            Session session(folder.Path());
            session.AddWithNew({L"new"});
            session.Command(kApply);
            session.AddWithNew({L"newer"});
            session.Command(kApply);
            EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "no message";
            EXPECT_EQ(session.Exit(), 0u);
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
