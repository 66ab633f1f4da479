// The daily backups of the real wordHaven.exe: old days go, but only the
// copies the backups made, never the user's files under backup\ or what a
// link there leads to, and a clock that once ran ahead costs no real day.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/folder_rows.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/windows_found.h"

namespace {

class Backups : public ProgramTest {};

std::wstring Day(int year, int month, int day) {
    wchar_t name[32];
    swprintf(name, 32, L"backup\\%04d-%02d-%02d", year, month, day);
    return name;
}

// A copy of group01.csv in each day folder of January from first to last, and more.
FileBytes Days(int year, int first, int last, FileBytes more = {}) {
    for (int day = first; day <= last; ++day) more.emplace_back(Day(year, 1, day) + L"\\group01.csv", "x");
    return more;
}

}  // namespace

// Each row: backup days, the user's files and links, then two saves of the day.
TEST_F(Backups, OldDaysGoButNothingTheBackupsDidNotMakeAndNeverToday) {
    struct Row {
        const char* what;
        FileBytes files;
        Links links;
        FilesAfter after;
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::wstring today = Day(now.wYear, now.wMonth, now.wDay) + L"\\group01.csv";
    const std::string before = "\"old\",\"\",\"\",\"\"\n";
    const Row rows[] = {
        {"the user's file in an old day folder", Days(2020, 1, 15, {{Day(2020, 1, 1) + L"\\mine.txt", "mine"}}), {},
         {{Day(2020, 1, 1) + L"\\mine.txt", "mine"}, {Day(2020, 1, 1) + L"\\group01.csv", {}}, {Day(2020, 1, 2), {}}}},
        {"a date-named link", Days(2020, 2, 15, {{L"elsewhere\\group01.csv", "theirs"}}), {{Day(2020, 1, 1), L"elsewhere"}},
         {{L"elsewhere\\group01.csv", "theirs"}, {Day(2020, 1, 2), {}}, {Day(2020, 1, 3) + L"\\group01.csv", "x"}}},
        {"a future-dated folder", Days(2999, 1, 14, Days(2020, 2, 15)), {},
         {{Day(2020, 1, 2), {}}, {Day(2020, 1, 3) + L"\\group01.csv", "x"}, {Day(2999, 1, 1) + L"\\group01.csv", "x"}}},
        {"today's backup survives", Days(2999, 1, 14), {}, {{today, before}}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"Backups.row" + std::to_wstring(++number));
        LaidOutFolder laidOut(folder, row.files, row.links);
        ASSERT_TRUE(laidOut.Made());
        WriteText(folder.File(L"group01.csv"), before);
        Session session(folder.Path());
        for (const wchar_t* term : {L"new", L"newer"}) {
            session.AddWithNew({term});
            session.Command(kApply);
        }
        EXPECT_TRUE(TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty()) << "no message";
        EXPECT_EQ(session.Exit(), 0u);
        laidOut.Expect(row.after);
        EXPECT_EQ(FileText(folder.File(today)), before);
    }
}
