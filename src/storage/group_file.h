#pragma once
// The current group's entries in its CSV file, named after the group.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kEntryFieldCount = 4;
inline constexpr std::size_t kEntryTextMaxUnits = 3999;

// One entry: term, reading, spelling, description.
struct GlossaryEntry {
    std::wstring texts[kEntryFieldCount];
};

// Reads the current group's file and counts its entries. 0; -1 when the file
// is missing (silently: the group is empty) or could not be read (after
// telling the user; the file is then never overwritten until a load works).
int LoadGroupFile(std::vector<GlossaryEntry>& entries);
// Writes the entries to the current group's file in the encoding it was read
// in. 0, or -1 after telling the user (the previous file is then left as it was).
int SaveGroupFile(const std::vector<GlossaryEntry>& entries);

// Whether a group of this name would find a file in the data folder.
bool GroupFileExists(std::u16string_view name);
// Whether two group names lead to one file: Windows compares file names without case.
bool SameGroupFile(std::u16string_view name, std::u16string_view other);
