#pragma once
// Which day folders the daily backups live in, and which of them go.
// Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CalendarDay {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
};

inline constexpr std::size_t kBackupDaysKept = 14;
inline constexpr char16_t kBackupFolderName[] = u"backup";

// "YYYY-MM-DD", which sorts as the days do.
std::u16string DayFolderName(const CalendarDay& day);
// Only names made by DayFolderName (a real date) count as day folders.
bool IsDayFolderName(std::u16string_view name);
// The day folders to remove so that the newest `kept` days stay; other names
// are never chosen.
std::vector<std::u16string> DayFoldersToRemove(const std::vector<std::u16string>& names,
                                               std::size_t kept = kBackupDaysKept);
