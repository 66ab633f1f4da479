// Daily backups made by the one replace that group files and the settings
// file go through, on the real file system, with the day set by the test.
#include "storage/daily_backup.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "storage/replacing_file.h"
#include "support/folder_rows.h"
#include "support/recorded_messages.h"
#include "ui/message_box.h"
#include "support/test_folder.h"

namespace {

CalendarDay testDay{2026, 12, 7};
CalendarDay TestDay() { return testDay; }
// As the program does after the save, but at once.
void TellAtOnce(const std::wstring& failedFile) { ShowMessage(Message::BackupFailed, nullptr, failedFile); }

class DailyBackupTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
        ResetBackupFailureNotice();
        SetBackupFailureTeller(TellAtOnce);
        SetBackupDayClock(TestDay);
        testDay = {2026, 12, 7};
    }
    void TearDown() override {
        SetBackupDayClock(nullptr);
        SetBackupFailureTeller(nullptr);
        ResetBackupFailureNotice();
    }
    void Write(const std::wstring& name, const std::string& text) { WriteFileBytes(folder_.File(name), {text.begin(), text.end()}); }
    bool Replace(const std::wstring& name, const std::string& text) { return ReplaceFileContent(L".\\" + name, text); }
    std::string Text(const std::wstring& name) { return FileText(folder_.File(name)); }

    TestFolder folder_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

// A copy of group01.csv in each day folder of the month from first to last, and more.
FileBytes Days(const wchar_t* month, int first, int last, FileBytes more = {}) {
    for (int day = first; day <= last; ++day) {
        more.emplace_back(std::wstring(L"backup\\") + month + (day < 10 ? L"-0" : L"-") + std::to_wstring(day) +
                              L"\\group01.csv", "x");
    }
    return more;
}

// Lets the file go after a pause, as a virus scanner or a sync tool does.
DWORD WINAPI LetGoLater(void* file) {
    Sleep(300);
    CloseHandle(static_cast<HANDLE>(file));
    return 0;
}

}  // namespace

// Each row: what stands in the way of today's copy as the first save of the day
// replaces group01.csv; the save goes ahead, and either the copy holds the
// version it replaced or the failure is told. Nothing of the user's is written.
TEST_F(DailyBackupTest, ASaveThatGoesAheadHasTodaysCopyOrTellsItsFailure) {
    constexpr DWORD kNotHeld = ~0u;
    struct Row {
        const char* what;
        FileBytes files;
        Links links;
        DWORD heldSharing;  // how another program holds group01.csv during the save
        bool letGo;         // and whether it lets go while the save waits
        std::optional<std::string> copy;
        bool told;
    };
    const std::wstring copy = L"backup\\2026-12-07\\group01.csv";
    const Row rows[] = {
        {"held shut for a moment", {}, {}, 0, true, "old", false},
        {"a folder of the user's where today's copy goes", {{copy + L"\\mine.txt", "mine"}}, {}, kNotHeld, false, {}, true},
        {"a link of the user's named as the copy's temporary file",
         {{L"backup\\2026-12-07\\notes.txt", "mine"}, {L"elsewhere\\mine.txt", "mine"}},
         {{copy + L".tmp", L"elsewhere\\mine.txt"}}, kNotHeld, false, {}, true},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"DailyBackupTest.InTheWay" + std::to_wstring(++number));
        folder.Enter();
        messages_->clear();
        ResetBackupFailureNotice();
        LaidOutFolder laidOut(folder, row.files, row.links);
        ASSERT_TRUE(laidOut.Made());
        PutFile(L"group01.csv", "old");
        HANDLE held = INVALID_HANDLE_VALUE;
        if (row.heldSharing != kNotHeld) {
            held = CreateFileW(L"group01.csv", GENERIC_READ, row.heldSharing, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        const HANDLE letter = row.letGo ? CreateThread(nullptr, 0, LetGoLater, held, 0, nullptr) : nullptr;
        EXPECT_TRUE(Replace(L"group01.csv", "new"));
        if (letter) {
            WaitForSingleObject(letter, INFINITE);
            CloseHandle(letter);
        } else if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
        }
        FilesAfter after = {{L"group01.csv", "new"}};
        for (const auto& [name, bytes] : row.files) after.emplace_back(name, bytes);
        if (row.copy || row.files.empty()) after.emplace_back(copy, row.copy);
        laidOut.Expect(after);
        const bool told = messages_->size() == 1 && messages_->front().text.find(L"group01.csv") != std::wstring::npos;
        EXPECT_EQ(told, row.told) << messages_->size() << " messages";
    }
}

// Each row: backup days, the user's files and links, then the first save of 2026-12-07.
TEST_F(DailyBackupTest, OldDaysLoseOnlyTheCopiesTheBackupsMade) {
    struct Row {
        const char* what;
        FileBytes files;
        Links links;
        FilesAfter after;
    };
    const std::wstring today = L"backup\\2026-12-07\\group01.csv";
    const Row rows[] = {
        {"the user's files and folders keep an old day; copies the backups made go, a day of only those whole",
         Days(L"2026-11", 1, 15, {{L"backup\\2026-11-01\\mine.txt", "mine"}, {L"backup\\2026-11-01\\notes\\a.csv", "mine"},
                                  {L"backup\\2026-11-01\\wordHaven.ini", "x"}, {L"backup\\2026-11-01\\group3.csv.tmp", "x"}}),
         {},
         {{L"backup\\2026-11-01\\mine.txt", "mine"}, {L"backup\\2026-11-01\\notes\\a.csv", "mine"},
          {L"backup\\2026-11-01\\group01.csv", {}}, {L"backup\\2026-11-01\\wordHaven.ini", {}},
          {L"backup\\2026-11-01\\group3.csv.tmp", {}}, {L"backup\\2026-11-02", {}}, {today, "old"}}},
        {"a date-named link to a folder is neither entered nor counted",
         Days(L"2026-11", 2, 15, {{L"elsewhere\\group01.csv", "mine"}}), {{L"backup\\2026-11-01", L"elsewhere"}},
         {{L"elsewhere\\group01.csv", "mine"}, {L"backup\\2026-11-02", {}}, {L"backup\\2026-11-03\\group01.csv", "x"}}},
        {"a linked file in an old day is not followed",
         Days(L"2026-11", 1, 15, {{L"elsewhere\\group02.csv", "mine"}}),
         {{L"backup\\2026-11-01\\group02.csv", L"elsewhere\\group02.csv"}},
         {{L"elsewhere\\group02.csv", "mine"}, {L"backup\\2026-11-01\\group01.csv", {}}}},
        {"days after today, from a clock once set ahead, push no real day out",
         Days(L"2030-01", 1, 14, Days(L"2026-11", 1, 14)), {},
         {{today, "old"}, {L"backup\\2026-11-01", {}}, {L"backup\\2026-11-02\\group01.csv", "x"},
          {L"backup\\2030-01-01\\group01.csv", "x"}}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"DailyBackupTest.OldDays" + std::to_wstring(++number));
        folder.Enter();
        LaidOutFolder laidOut(folder, row.files, row.links);
        ASSERT_TRUE(laidOut.Made());
        PutFile(L"group01.csv", "old");
        ASSERT_TRUE(Replace(L"group01.csv", "new"));
        laidOut.Expect(row.after);
    }
    EXPECT_TRUE(messages_->empty());
}

TEST_F(DailyBackupTest, TheFirstReplaceOfADayKeepsTheVersionItReplaces) {
    Write(L"group01.csv", "one");
    Write(L"wordHaven.ini", "settings");
    ASSERT_TRUE(Replace(L"group01.csv", "two"));
    ASSERT_TRUE(Replace(L"group01.csv", "three"));
    EXPECT_EQ(Text(L"backup\\2026-12-07\\group01.csv"), "one") << "one copy a day";
    ASSERT_TRUE(Replace(L"wordHaven.ini", "settings"));
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2026-12-07\\wordHaven.ini"))) << "nothing changed";
    ASSERT_TRUE(Replace(L"wordHaven.ini", "changed"));
    EXPECT_EQ(Text(L"backup\\2026-12-07\\wordHaven.ini"), "settings");
    ASSERT_TRUE(Replace(L"new.csv", "made now"));
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2026-12-07\\new.csv"))) << "nothing was there to keep";
    ASSERT_TRUE(Replace(L"wordHaven-sites.txt", "a"));
    ASSERT_TRUE(Replace(L"wordHaven-sites.txt", "b"));
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2026-12-07\\wordHaven-sites.txt")));

    testDay = {2026, 12, 8};
    ASSERT_TRUE(Replace(L"group01.csv", "four"));
    EXPECT_EQ(Text(L"backup\\2026-12-08\\group01.csv"), "three");
    EXPECT_EQ(Text(L"group01.csv"), "four");
    EXPECT_TRUE(messages_->empty());
}

TEST_F(DailyBackupTest, TheNewestFourteenDaysStayWhenANewDayBegins) {
    Write(L"group01.csv", "old");
    CreateDirectoryW(L"backup", nullptr);
    for (int day = 1; day <= 14; ++day) {
        const std::wstring name = L"backup\\2026-11-" + std::wstring(day < 10 ? L"0" : L"") + std::to_wstring(day);
        CreateDirectoryW(name.c_str(), nullptr);
        Write(name + L"\\group01.csv", "x");
    }
    CreateDirectoryW(L"backup\\notes", nullptr);
    Write(L"backup\\notes\\mine.txt", "the user's");
    ASSERT_TRUE(Replace(L"group01.csv", "new"));
    EXPECT_FALSE(FileExists(folder_.File(L"backup\\2026-11-01")));
    EXPECT_TRUE(FileExists(folder_.File(L"backup\\2026-11-02\\group01.csv")));
    EXPECT_EQ(Text(L"backup\\notes\\mine.txt"), "the user's");
    EXPECT_EQ(Text(L"backup\\2026-12-07\\group01.csv"), "old");
}

TEST_F(DailyBackupTest, AFailedBackupNeverStopsTheSaveAndIsToldOnce) {
    Write(L"group01.csv", "one");
    Write(L"group02.csv", "one");
    Write(L"backup", "a file where the folder would go");
    ASSERT_TRUE(Replace(L"group01.csv", "two"));
    ASSERT_TRUE(Replace(L"group02.csv", "two"));
    EXPECT_EQ(Text(L"group01.csv"), "two");
    EXPECT_EQ(Text(L"group02.csv"), "two");
    ASSERT_EQ(messages_->size(), 1u);
    EXPECT_NE(messages_->front().text.find(L"バックアップ"), std::wstring::npos);
    EXPECT_NE(messages_->front().text.find(L"group01.csv"), std::wstring::npos);
}
