#include "storage/backup_days.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::u16string> Days(int year, int month, int first, int last) {
    std::vector<std::u16string> names;
    for (int day = first; day <= last; ++day) names.push_back(DayFolderName({year, month, day}));
    return names;
}

std::vector<std::u16string> operator+(std::vector<std::u16string> a, const std::vector<std::u16string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool AsciiNameSafe(char16_t c) { return c < 0x80 && c != u'\\' && c != u'/' && c != u':' && c != u'*' && c > u' '; }

}  // namespace

TEST(BackupDays, FolderNamesAreIsoDatesThatSortAsDays) {
    EXPECT_EQ(DayFolderName({2026, 3, 7}), u"2026-03-07");
    EXPECT_TRUE(IsDayFolderName(u"2024-02-29"));
    EXPECT_FALSE(IsDayFolderName(u"2023-02-29"));
    EXPECT_FALSE(IsDayFolderName(u"2026-13-01"));
    EXPECT_FALSE(IsDayFolderName(u"2026-1-01"));
    EXPECT_FALSE(IsDayFolderName(u"notes"));
}

TEST(BackupDays, TheNewestFourteenDaysUpToTodayStay) {
    const CalendarDay today{2026, 11, 16};
    struct Row {
        const char* what;
        std::vector<std::u16string> names;
        std::vector<std::u16string> removed;
    };
    const Row rows[] = {
        {"fourteen days: nothing goes", Days(2026, 11, 3, 16), {}},
        {"the oldest beyond fourteen go, other names never",
         Days(2026, 11, 1, 16) + std::vector<std::u16string>{u"keep me", u"2026-12-31x", u"2025-12-31"},
         {u"2026-11-02", u"2026-11-01", u"2025-12-31"}},
        {"one name twice counts once", Days(2026, 11, 2, 16) + Days(2026, 11, 16, 16), {u"2026-11-02"}},
        // A clock once set ahead: today's folder was made and removed on every save.
        {"days after today are neither counted nor removed", Days(2026, 12, 1, 20) + Days(2026, 11, 16, 16), {}},
        {"real days stay beside future ones", Days(2030, 1, 1, 14) + Days(2026, 11, 1, 16),
         {u"2026-11-02", u"2026-11-01"}},
        {"yesterday's folder and today's both stay", Days(2027, 1, 1, 30) + Days(2026, 11, 15, 16), {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DayFoldersToRemove(row.names, today), row.removed) << row.what;
    }
}

TEST(BackupDays, OnlyTheCopiesTheBackupsMakeAreTheirs) {
    struct Row {
        std::u16string name;
        bool copy;
    };
    const Row rows[] = {
        {u"group01.csv", true},      {u"My Words.CSV", true},     {u"wordHaven.ini", true},
        {u"WORDHAVEN.INI", true},    {u"group01.csv.tmp", true},  {u"wordHaven.ini.tmp", true},
        {u"mine.txt", false},        {u".csv", false},            {u"notes.csv.bak", false},
        {u"wordHaven.ini.bad", false}, {u"a*b.csv", false},       {u"CON.csv", false},
        {u"xwordHaven.ini", false},  {u"group01.tmp", false},     {std::u16string(128, u'a') + u".csv", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsBackupCopyName(row.name, AsciiNameSafe), row.copy) << std::string(row.name.begin(), row.name.end());
    }
}
