// Daily backups made by the one replace that group files and the settings
// file go through, on the real file system, with the day set by the test.
#include "storage/daily_backup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "storage/replacing_file.h"
#include "support/host_files.h"
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

std::vector<std::wstring> Days(const std::wstring& month, int first, int last) {
    std::vector<std::wstring> days;
    for (int day = first; day <= last; ++day) days.push_back(month + (day < 10 ? L"-0" : L"-") + std::to_wstring(day));
    return days;
}

std::vector<std::wstring> operator+(std::vector<std::wstring> a, const std::vector<std::wstring>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

// Each row: backup day folders each holding a copy of group01.csv, the user's
// files and links under the data folder, then the first save of 2026-12-07.
TEST_F(DailyBackupTest, OldDaysLoseOnlyTheCopiesTheBackupsMade) {
    struct Row {
        const char* what;
        std::vector<std::wstring> days;
        std::vector<std::wstring> copies;  // more that the backups made
        std::vector<std::wstring> usersFiles;                        // holding "mine"
        std::vector<std::pair<std::wstring, std::wstring>> links;  // link, and where it leads
        std::vector<std::wstring> gone;
        std::vector<std::wstring> kept;
    };
    const std::wstring today = L"backup\\2026-12-07\\group01.csv";
    const std::vector<std::wstring> fifteenDays = Days(L"2026-11", 1, 15);
    const Row rows[] = {
        {"an old day of copies only goes whole, with the settings and a copy cut off",
         fifteenDays, {L"backup\\2026-11-01\\wordHaven.ini", L"backup\\2026-11-01\\group03.csv.tmp"}, {}, {},
         {L"backup\\2026-11-01", L"backup\\2026-11-02"}, {L"backup\\2026-11-03\\group01.csv", today}},
        {"the user's files and folders keep an old day",
         fifteenDays, {}, {L"backup\\2026-11-01\\mine.txt", L"backup\\2026-11-02\\notes\\a.csv"}, {},
         {L"backup\\2026-11-01\\group01.csv", L"backup\\2026-11-02\\group01.csv"},
         {L"backup\\2026-11-01\\mine.txt", L"backup\\2026-11-02\\notes\\a.csv"}},
        {"a date-named link to a folder is neither entered nor counted",
         Days(L"2026-11", 2, 15), {}, {L"elsewhere\\group01.csv", L"elsewhere\\wordHaven.ini"},
         {{L"backup\\2026-11-01", L"elsewhere"}},
         {L"backup\\2026-11-02"},
         {L"elsewhere\\group01.csv", L"elsewhere\\wordHaven.ini", L"backup\\2026-11-01", L"backup\\2026-11-03"}},
        {"a linked file in an old day is not followed",
         fifteenDays, {}, {L"elsewhere\\group02.csv"}, {{L"backup\\2026-11-01\\group02.csv", L"elsewhere\\group02.csv"}},
         {L"backup\\2026-11-01\\group01.csv"}, {L"elsewhere\\group02.csv", L"backup\\2026-11-01\\group02.csv"}},
        {"days after today, from a clock once set ahead, push no real day out",
         Days(L"2030-01", 1, 14) + Days(L"2026-11", 1, 14), {}, {}, {},
         {L"backup\\2026-11-01"},
         {today, L"backup\\2026-11-02\\group01.csv", L"backup\\2030-01-01\\group01.csv",
          L"backup\\2030-01-14\\group01.csv"}},
    };
    int number = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder folder(L"DailyBackupTest.OldDays" + std::to_wstring(++number));
        folder.Enter();
        PutFile(L"group01.csv", "old");
        for (const std::wstring& day : row.days) PutFile(L"backup\\" + day + L"\\group01.csv", "x");
        for (const std::wstring& copy : row.copies) PutFile(copy, "x");
        for (const std::wstring& file : row.usersFiles) PutFile(file, "mine");
        std::vector<std::unique_ptr<HostLink>> links;
        for (const auto& [link, target] : row.links) {
            links.push_back(std::make_unique<HostLink>(folder.File(target), folder.File(link)));
            ASSERT_TRUE(links.back()->Made());
        }
        ASSERT_TRUE(Replace(L"group01.csv", "new"));
        for (const std::wstring& path : row.gone) EXPECT_FALSE(FileExists(path)) << "gone: " << Utf8(path);
        for (const std::wstring& path : row.kept) EXPECT_TRUE(FileExists(path)) << "kept: " << Utf8(path);
        for (const std::wstring& file : row.usersFiles) {
            if (FileExists(file)) {
                EXPECT_EQ(FileText(file), "mine");
            }
        }
        EXPECT_EQ(FileText(today), "old");
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
