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

// What a load or a save of a group file did, with what a message about it
// needs; the caller decides whether and how to tell the user.
struct GroupFileReport {
    enum class Outcome {
        Done,
        Missing,  // a load found no file: the group is empty
        Failed,   // not read, or not written (the file on disk is as it was)
    };
    Outcome outcome = Outcome::Done;
    // Before the save replaced the file, the file as it stood was kept under
    // this name (a full path); empty when no copy was made.
    std::wstring keptCopy;
    // Why: another program changed the file since it was read or written;
    // otherwise it was not read exactly.
    bool keptBecauseChanged = false;
    // A load that cut a text longer than an entry holds: the file as it was,
    // kept beside it (a full path); empty when none was cut, or when this
    // content was told of before.
    std::wstring cutOriginal;
    // A load that found no file: a temporary file that a save cut off before
    // its rename left beside it, if there is one.
    CutOffSave cutOff;
};

// Reads the current group's file and counts its entries. 0; -1 when the file
// is missing (the group is empty) or could not be read (the file is then
// never overwritten until a load works).
int LoadGroupFile(std::vector<GlossaryEntry>& entries, GroupFileReport& report);
// Writes the entries to the current group's file in the encoding it was read
// in. 0, or -1 when nothing was written (the previous file is as it was).
int SaveGroupFile(const std::vector<GlossaryEntry>& entries, GroupFileReport& report);
// The same for the current group under a new name, in the encoding of the
// group's present file; the group's name itself is the caller's to change.
int SaveGroupFileAs(std::u16string_view name, const std::vector<GlossaryEntry>& entries, GroupFileReport& report);
// Whether the current group's file is no longer what its last load or save
// saw (changed, made or removed by another program).
bool GroupFileChangedOnDisk();

// Whether a group of this name would find a file in the data folder.
bool GroupFileExists(std::u16string_view name);
// Whether two group names lead to one file: Windows compares file names without case.
bool SameGroupFile(std::u16string_view name, std::u16string_view other);

// The entries of a group's file as they are on disk, for reading only:
// nothing is remembered and nothing is shown. A group without a file is
// Missing; one whose file is there but cannot be read (held shut by another
// program, too large for memory, its folder away), or whose name no file
// may have, is Unreadable. Entries are filled only when Read. A text longer
// than maxUnits is cut as a load cuts it; an export asks for every text whole.
enum class GroupFileRead { Read, Missing, Unreadable };
GroupFileRead ReadGroupFileEntries(std::u16string_view name, std::vector<GlossaryEntry>& entries,
                                   std::size_t maxUnits = kEntryTextMaxUnits);

// Whether the current group's file is there but its last load could not read
// it, so the list does not hold its entries.
bool GroupFileUnreadable();

// The file of a group of this name: NAME.csv in the data folder, a full path.
std::wstring GroupFilePathOf(std::u16string_view name);

// What tells that a file changed on disk.
struct FileStamp {
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};
// False when the group has no file.
bool GroupFileStamp(std::u16string_view name, FileStamp& stamp);
