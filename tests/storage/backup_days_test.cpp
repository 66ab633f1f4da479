#include "storage/backup_days.h"

#include <gtest/gtest.h>

TEST(BackupDays, FolderNamesAreIsoDatesThatSortAsDays) {
    EXPECT_EQ(DayFolderName({2026, 3, 7}), u"2026-03-07");
    EXPECT_TRUE(IsDayFolderName(u"2024-02-29"));
    EXPECT_FALSE(IsDayFolderName(u"2023-02-29"));
    EXPECT_FALSE(IsDayFolderName(u"2026-13-01"));
    EXPECT_FALSE(IsDayFolderName(u"2026-1-01"));
    EXPECT_FALSE(IsDayFolderName(u"notes"));
}

TEST(BackupDays, TheNewestFourteenDaysStayAndOtherNamesAreNeverRemoved) {
    std::vector<std::u16string> names{u"keep me", u"2026-12-31x"};
    for (int day = 1; day <= 16; ++day) names.push_back(DayFolderName({2026, 11, day}));
    names.push_back(DayFolderName({2025, 12, 31}));
    EXPECT_EQ(DayFoldersToRemove(names), (std::vector<std::u16string>{u"2026-11-02", u"2026-11-01", u"2025-12-31"}));
    names.resize(14);
    EXPECT_TRUE(DayFoldersToRemove(names).empty());
}
