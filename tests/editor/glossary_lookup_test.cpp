// The glossary index following the word list on a real list view: after
// whatever the glossary does to its rows, the index holds what reading every
// row gives, having read from the list only rows that are new.
#include "editor/glossary_lookup.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <new>

#include "app/app_globals.h"
#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/settings.h"
#include "support/failing_allocations.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/word_list_host.h"
#include "ui/resource_ids.h"

namespace {

constexpr int kSlot = 3;

class GlossaryLookupTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        StartFromDefaults();
        appSettings.currentGroup = kSlot;
        std::string csv;
        for (int i = 0; i < 40; ++i) csv += "t" + std::to_string(100 + i) + ",r,s,about " + std::to_string(i) + "\r\n";
        WriteFileBytes(folder_.File(L"group04.csv"), {csv.begin(), csv.end()});
    }
    void SetUnsaved(bool unsaved) { EnableWindow(GetDlgItem(host_.Dialog(), IDC_APPLY), unsaved); }
    void Edit(int row, const wchar_t* term) {
        for (int column = 0; column < 4; ++column) ListSetText(host_.List(), row, column, column == 0 ? term : L"edited");
        SetUnsaved(true);
    }
    // The index brought up to date: it holds every row and key as the list does.
    void ExpectIndexHoldsTheList(const std::string& step) {
        RefreshGlossary();
        const std::vector<GlossaryEntry> rows = WordListEntries();
        const std::vector<int64_t> keys = WordListKeys();
        for (size_t row = 0; row < rows.size(); ++row) {
            const GlossaryMatch match{kSlot, static_cast<int>(row)};
            const GlossaryEntry* entry = Glossary().Entry(match);
            ASSERT_NE(entry, nullptr) << step << ": row " << row;
            for (int column = 0; column < 4; ++column) EXPECT_EQ(entry->texts[column], rows[row].texts[column]) << step << ": row " << row;
            EXPECT_EQ(Glossary().Key(match), keys[row]) << step << ": row " << row;
        }
        EXPECT_EQ(Glossary().Entry({kSlot, static_cast<int>(rows.size())}), nullptr) << step;
    }
    uint64_t RowsReadSince(uint64_t& before) {
        const uint64_t read = GlossaryRowsRead() - before;
        before = GlossaryRowsRead();
        return read;
    }

    TestFolder folder_;
    WordListHost host_;
};

}  // namespace

TEST_F(GlossaryLookupTest, EveryKindOfChangeIsFollowedReadingOnlyTheRowsItMade) {
    LoadWordListFromGroupFile();
    RefreshGlossary();  // the group's file, as for any group
    uint64_t read = GlossaryRowsRead();

    Edit(5, L"first change");
    ExpectIndexHoldsTheList("an edit just after the load");
    EXPECT_EQ(RowsReadSince(read), 1u) << "the rest is the file as read";

    ListInsertRow(host_.List(), 0, L"new at the top", 0);
    for (int column = 1; column < 4; ++column) ListSetText(host_.List(), 0, column, L"new");
    ExpectIndexHoldsTheList("an insertion");
    EXPECT_EQ(RowsReadSince(read), 1u);

    host_.Select({2, 7, 8});
    DeleteSelectedRows();  // and the keys after them renumbered
    ExpectIndexHoldsTheList("a deletion");
    EXPECT_EQ(RowsReadSince(read), 0u);

    host_.Select({3});
    MoveSelectedRow(MoveDirection::Down);
    ExpectIndexHoldsTheList("a move");
    EXPECT_EQ(RowsReadSince(read), 2u);

    SetWordListSort({0, kSortStateDescending});
    SortWordList();
    Edit(1, L"zz after the sort");
    ExpectIndexHoldsTheList("a sort and an edit");
    EXPECT_EQ(RowsReadSince(read), 1u);
    SetWordListSort({0, kSortStateStored});
    SortWordList();
    ExpectIndexHoldsTheList("stored order again");

    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    SetUnsaved(false);
    Edit(2, L"after the save");
    ExpectIndexHoldsTheList("an edit after a save");
    EXPECT_EQ(RowsReadSince(read), 1u) << "followed on from the file as saved";

    SetUnsaved(false);
    LoadWordListFromGroupFile();
    RefreshGlossary();
    Edit(0, L"after a reload");
    ExpectIndexHoldsTheList("an edit after a reload");
    EXPECT_EQ(RowsReadSince(read), 1u);

    // Loaded, changed and saved with nothing looking in between: the next
    // change starts from the file as saved.
    SetUnsaved(false);
    LoadWordListFromGroupFile();
    Edit(3, L"saved unseen");
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    SetUnsaved(false);
    RefreshGlossary();
    read = GlossaryRowsRead();
    Edit(4, L"after an unseen save");
    ExpectIndexHoldsTheList("an edit after a save nothing looked at");
    EXPECT_EQ(RowsReadSince(read), 1u);

    // Many changes of every kind between two looks, in a fixed random order.
    unsigned seed = 7;
    const auto Next = [&seed](unsigned n) { return (seed = seed * 1103515245u + 12345u) / 65536u % n; };
    for (int round = 0; round < 30; ++round) {
        for (int step = 0; step < 5; ++step) {
            const int count = ListRowCount(host_.List());
            const int row = static_cast<int>(Next(static_cast<unsigned>(count)));
            switch (Next(5)) {
            case 0:
                Edit(row, (L"e" + std::to_wstring(round)).c_str());
                break;
            case 1:
                ListInsertRow(host_.List(), row, (L"i" + std::to_wstring(round)).c_str(), row);
                SetUnsaved(true);
                break;
            case 2:
                host_.Select({row, (row + 3) % count});
                DeleteSelectedRows();
                break;
            case 3:
                host_.Select({row});
                MoveSelectedRow(Next(2) ? MoveDirection::Up : MoveDirection::Down);
                break;
            default:
                SetWordListSort({static_cast<int>(Next(4)), static_cast<int>(Next(3))});
                SortWordList();
                break;
            }
        }
        ExpectIndexHoldsTheList("round " + std::to_string(round));
    }
}

TEST_F(GlossaryLookupTest, AStepThatRunsOutOfMemoryLeavesNothingTrustedThatWasNotRead) {
    LoadWordListFromGroupFile();
    RefreshGlossary();
    // Each round fails a later allocation of the follow than the round before, until one needs fewer.
    for (long failing = 0;; ++failing) {
        const std::wstring term = L"changed " + std::to_wstring(failing);
        Edit(static_cast<int>(failing % 40), term.c_str());
        FailAllocationAfter(failing);
        bool failed = false;
        try {
            RefreshGlossary();
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        const bool armedStill = AllocationFailureArmed();
        FailAllocationAfter(-1);
        ExpectIndexHoldsTheList("after failing allocation " + std::to_string(failing));
        EXPECT_EQ(Glossary().Find(term).size(), 1u) << failing;
        if (HasFatalFailure() || (!failed && armedStill)) break;
    }
}
