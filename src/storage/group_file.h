#pragma once
// The current group's entries in its CSV file, named after the group.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/replacing_file.h"

inline constexpr int kEntryFieldCount = 4;
inline constexpr std::size_t kEntryTextMaxUnits = 3999;

// One entry: term, reading, spelling, description.
struct GlossaryEntry {
    std::wstring texts[kEntryFieldCount];
};

// Reads the current group's file and counts its entries. 0; -1 when the file
// is missing (silently: the group is empty; cutOff names a temporary file a
// save cut off before its rename left beside it, for the caller to tell) or
// could not be read (after telling the user; the file is then never
// overwritten until a load works).
int LoadGroupFile(std::vector<GlossaryEntry>& entries, CutOffSave& cutOff);
// Writes the entries to the current group's file in the encoding it was read
// in. 0, or -1 after telling the user (the previous file is then left as it was).
int SaveGroupFile(const std::vector<GlossaryEntry>& entries);

// Whether a group of this name would find a file in the data folder.
bool GroupFileExists(std::u16string_view name);
// Whether two group names lead to one file: Windows compares file names without case.
bool SameGroupFile(std::u16string_view name, std::u16string_view other);

// The entries of a group's file as they are on disk, for reading only:
// nothing is remembered and nothing is shown. False when missing or unreadable.
bool ReadGroupFileEntries(std::u16string_view name, std::vector<GlossaryEntry>& entries);

// What tells that a file changed on disk.
struct FileStamp {
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};
// False when the group has no file.
bool GroupFileStamp(std::u16string_view name, FileStamp& stamp);
