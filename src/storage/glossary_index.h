#pragma once
// Every entry of all the groups, for finding text anywhere in the glossary.
// A group's file is read once, and again only when it changed on disk.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/group_file.h"
#include "storage/settings.h"

struct GlossaryMatch {
    int slot;
    int index;  // among the group's entries as indexed
};

struct GroupTermCount {
    int slot;
    int count;
};

class GlossaryIndex {
public:
    // Brings every group but liveSlot up to date with its file.
    void Refresh(int liveSlot = -1);
    // Rows shown for a group in place of its file (changes not yet saved), with their order keys.
    void UseRows(int slot, std::vector<GlossaryEntry> rows, std::vector<int64_t> keys);
    // Entries whose term, reading, spelling or description holds the text, group by group.
    std::vector<GlossaryMatch> Find(std::wstring_view text) const;
    // The groups with entries of this very term, and how many each.
    std::vector<GroupTermCount> GroupsWithTerm(std::wstring_view term) const;
    const GlossaryEntry& Entry(const GlossaryMatch& match) const;
    // The entry's order key in the group's list once that group is shown.
    int64_t Key(const GlossaryMatch& match) const;
    std::size_t EntryCount() const;

private:
    struct Group {
        std::u16string name;  // of the file read, empty before the first read
        bool read = false;
        bool fromRows = false;
        FileStamp stamp;
        std::vector<GlossaryEntry> entries;
        std::vector<int64_t> keys;  // empty: the index is the key
        std::wstring folded;        // every field folded, each followed by a separator
        std::vector<std::size_t> ends;  // where each entry's last separator stands in folded
    };
    void Index(Group& group);
    Group groups_[kGroupSlotCount];
};

// Text as finding compares it: letter case, full and half width, hiragana and
// katakana are not told apart (the system's own mappings decide).
std::wstring FoldForFinding(std::wstring_view text);
