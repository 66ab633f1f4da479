#pragma once
// Every entry of all the groups, for finding text anywhere in the glossary.
// A group's file is read once, and again only when it changed on disk; rows
// shown in place of a file are folded again only where they changed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/folded_group.h"
#include "storage/followed_rows.h"
#include "storage/group_file.h"
#include "storage/settings.h"

// An entry as the index holds it now; good only for the version it came from.
struct GlossaryMatch {
    int slot;
    int index;  // among the group's entries in stored order
    bool operator==(const GlossaryMatch&) const = default;
};

struct GroupTermCount {
    int slot;
    int count;
};

// An entry named by what it is rather than where it stands: its group, its
// texts, and how many entries of the same texts come before it there.
struct EntryIdentity {
    int slot = -1;
    GlossaryEntry entry;
    int occurrence = 0;
};

class GlossaryIndex {
public:
    // Brings every group but liveSlot up to date with its file.
    void Refresh(int liveSlot = -1);
    // The same for one group, its rows given before included.
    void RefreshGroup(int slot);
    // Rows shown for a group in place of its file (changes not yet saved),
    // in the order the list shows them, with their order keys.
    void UseRows(int slot, std::vector<GlossaryEntry> rows, std::vector<int64_t> keys);
    // A list holds the group's entries as its file does (the fingerprint
    // tells), with these keys: they are taken as its rows without reading
    // the list. False when the group read is not that.
    bool AdoptFileAsRows(int slot, uint64_t fingerprint, const std::vector<int64_t>& keys, std::size_t mostUnits);
    // The keys of the rows UseRows gave, as the index holds them; null for a group read from its file.
    const std::vector<int64_t>* RowKeys(int slot) const;
    // The rows UseRows gave, after changes the list noted: row i is now row
    // followed.from[i] of before, or, where that is -1, the next entry of
    // read. Only those are folded again. False (nothing changed) when the
    // rows do not fit the index as it stands.
    bool FollowRows(int slot, const FollowedRows& followed, std::vector<GlossaryEntry> read);
    // Drops what the index holds of a group, so the next refresh reads it
    // afresh: after a step that failed half way, nothing of it is trusted.
    void Forget(int slot);
    // Groups whose file is there but could not be read (held by another
    // program, or too large for the memory left): searched as empty until a
    // later refresh reads them.
    std::vector<int> UnreadGroups() const;
    // Changes whenever any group's entries change.
    uint64_t Version() const { return version_; }

    // Entries whose term, reading, spelling or description holds the text, group by group.
    std::vector<GlossaryMatch> Find(std::wstring_view text) const;
    void Find(std::wstring_view text, std::vector<GlossaryMatch>& matches) const;
    // The same for a text that holds the text the matches were found for:
    // only those are looked at again.
    std::vector<GlossaryMatch> Narrow(std::vector<GlossaryMatch> matches, std::wstring_view text) const;
    void NarrowInPlace(std::vector<GlossaryMatch>& matches, std::wstring_view text) const;
    // The groups with entries of this very term, and how many each.
    std::vector<GroupTermCount> GroupsWithTerm(std::wstring_view term) const;

    // Null when the match is not an entry of the index as it stands.
    const GlossaryEntry* Entry(const GlossaryMatch& match) const;
    // The entry's order key in the group's list once that group is shown; -1 for none.
    int64_t Key(const GlossaryMatch& match) const;
    std::size_t EntryCount() const;
    EntryIdentity Identify(const GlossaryMatch& match) const;
    // Where the identified entry stands now; false when it is gone.
    bool Locate(const EntryIdentity& identity, GlossaryMatch& match) const;

    // Orders matches by a column (0 the group's name, 1 to 4 the entry's
    // texts) in the user's locale order. The order of every entry is worked
    // out once for each version of the index, so sorting a result is cheap.
    void Sort(std::vector<GlossaryMatch>& matches, int column, bool descending) const;

private:
    struct Group {
        std::u16string name;  // of the file read, empty before the first read
        bool read = false;
        bool fromRows = false;
        bool unread = false;
        FileStamp stamp;
        std::vector<GlossaryEntry> entries;
        std::vector<int64_t> keys;  // empty: the index is the key
        FoldedGroup folded;
        mutable std::vector<std::string> sortKeys[kEntryFieldCount];  // by column, made when first sorted by
    };
    struct ColumnOrder {
        uint64_t version = ~0ull;
        std::vector<std::vector<int>> rank;  // by slot, then entry
        std::vector<GlossaryMatch> byRank;   // every entry, in this order
    };
    const ColumnOrder& Order(int column) const;
    void SortByText(std::vector<GlossaryMatch>& all, int field) const;
    // By the field's sort key (made for every entry), ties in stored order.
    bool KeyBefore(const GlossaryMatch& a, const GlossaryMatch& b, int field) const;
    // An order after rows of one group were deleted or added without moving
    // the others: entry i of the group is now indexNow[i] (-1: gone), and the
    // added ones take their places. False when it must be worked out afresh.
    bool FollowOrder(ColumnOrder& order, int slot, const std::vector<int>& indexNow, const std::vector<int>& added,
                     int field) const;
    Group groups_[kGroupSlotCount];
    uint64_t version_ = 0;
    mutable ColumnOrder orders_[kEntryFieldCount + 1];
    mutable std::vector<int> sortRanks_;
    mutable std::vector<char> sortMarks_;
};
