#include "storage/backup_days.h"

#include <algorithm>

namespace {

bool IsDigit(char16_t u) { return u >= u'0' && u <= u'9'; }

int Number(std::u16string_view digits) {
    int value = 0;
    for (char16_t u : digits) value = value * 10 + (u - u'0');
    return value;
}

void AppendNumber(std::u16string& out, int value, int width) {
    std::u16string digits(static_cast<size_t>(width), u'0');
    for (int i = width - 1; i >= 0 && value > 0; --i, value /= 10) digits[static_cast<size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
    out += digits;
}

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Windows compares file names without case.
bool EndsWithNoCase(std::u16string_view text, std::u16string_view ending) {
    if (text.size() < ending.size()) return false;
    text.remove_prefix(text.size() - ending.size());
    return std::equal(text.begin(), text.end(), ending.begin(),
                      [](char16_t a, char16_t b) { return LowerAscii(a) == LowerAscii(b); });
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

std::u16string DayFolderName(const CalendarDay& day) {
    std::u16string name;
    AppendNumber(name, day.year, 4);
    name += u'-';
    AppendNumber(name, day.month, 2);
    name += u'-';
    AppendNumber(name, day.day, 2);
    return name;
}

bool IsDayFolderName(std::u16string_view name) {
    if (name.size() != 10 || name[4] != u'-' || name[7] != u'-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(name[i])) return false;
    }
    const int year = Number(name.substr(0, 4));
    const int month = Number(name.substr(5, 2));
    const int day = Number(name.substr(8, 2));
    return year > 0 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

std::vector<std::u16string> DayFoldersToRemove(const std::vector<std::u16string>& names, const CalendarDay& today,
                                               std::size_t kept) {
    const std::u16string last = DayFolderName(today);
    std::vector<std::u16string> days;
    for (const std::u16string& name : names) {
        if (IsDayFolderName(name) && name <= last) days.push_back(name);
    }
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (days.size() <= kept) return {};
    return {days.begin() + static_cast<std::ptrdiff_t>(kept), days.end()};
}

bool IsBackupCopyName(std::u16string_view name, NameCharClassifier isNameSafe) {
    if (EndsWithNoCase(name, u".tmp")) name.remove_suffix(4);
    if (name.size() == std::char_traits<char16_t>::length(kSettingsFileName) && EndsWithNoCase(name, kSettingsFileName)) {
        return true;
    }
    if (!EndsWithNoCase(name, u".csv")) return false;
    name.remove_suffix(4);
    return name.size() <= kGroupNameMaxUnits && IsSafeGroupName(name, isNameSafe);
}
