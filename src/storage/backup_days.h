#pragma once
// Which day folders the daily backups live in, which of them go, and which
// files in them are the program's own copies.
// Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/group_file_name.h"
#include "storage/settings.h"

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
// The day folders to remove so that the newest `kept` days up to today stay.
// Today's is never chosen, nor a day after today: a clock once set ahead made
// it, and counting it would push out the real days. Other names are never chosen.
std::vector<std::u16string> DayFoldersToRemove(const std::vector<std::u16string>& names, const CalendarDay& today,
                                               std::size_t kept = kBackupDaysKept);
// Whether a file in a day folder has a name the backups give their copies: a
// group file, the settings file, or either with the ".tmp" of a copy cut off
// while written. Anything else there is the user's and stays.
bool IsBackupCopyName(std::u16string_view name, NameCharClassifier isNameSafe);
