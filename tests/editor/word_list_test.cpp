// The word list on a real list view inside the registration dialog's template.
#include "editor/word_list.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "editor/list_view.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/word_list_host.h"

namespace {

class WordListTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        StartFromDefaults();
    }
    void AddTerms(std::initializer_list<const wchar_t*> terms) {
        for (const wchar_t* term : terms) host_.AddRow({term, L"", L"", std::wstring(L"about ") + term});
    }
    int HeaderFormat() { return HeaderGetFormat(ListHeader(host_.List()), 0); }

    TestFolder folder_;
    WordListHost host_;
};

using Terms = std::vector<std::wstring>;

}  // namespace

TEST_F(WordListTest, CreatedWithFourColumnsAndTheGroupsWidths) {
    appSettings.currentGroup = 5;
    viewLayout.columnWidths[5][3] = 321;
    HWND list = CreateWordList(host_.Dialog());
    EXPECT_EQ(GetDlgCtrlID(list), 9999);
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_SORTDESCENDING),
              LVS_REPORT);
    EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x31, 0x31);
    const wchar_t* titles[4] = {L"用語", L"読み方", L"スペル", L"意味"};
    const int widths[4] = {100, 50, 50, 321};
    for (int column = 0; column < 4; ++column) {
        wchar_t title[32] = {};
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = title;
        c.cchTextMax = 32;
        ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&c)));
        EXPECT_STREQ(title, titles[column]);
        EXPECT_EQ(c.cx, widths[column]);
    }
    DestroyWindow(list);
}

TEST_F(WordListTest, TermClicksCycleAscendingDescendingAndStoredOrder) {
    AddTerms({L"b", L"A", L"a"});
    CycleSortState(0);
    EXPECT_EQ(host_.Terms(), (Terms{L"A", L"a", L"b"}));
    EXPECT_TRUE(HeaderFormat() & HDF_SORTUP);
    EXPECT_FALSE(host_.MoveButtonsEnabled());
    EXPECT_EQ(viewLayout.sortStates[0], 1);

    CycleSortState(0);
    EXPECT_EQ(host_.Terms(), (Terms{L"b", L"a", L"A"}));
    EXPECT_TRUE(HeaderFormat() & HDF_SORTDOWN);

    CycleSortState(0);
    EXPECT_EQ(host_.Terms(), (Terms{L"b", L"A", L"a"}));
    EXPECT_EQ(HeaderFormat() & (HDF_SORTUP | HDF_SORTDOWN), 0);
    EXPECT_TRUE(host_.MoveButtonsEnabled());
    EXPECT_FALSE(host_.ApplyEnabled());
}

TEST_F(WordListTest, EveryColumnSortsOneAtATimeWithItsOwnStateElement) {
    host_.AddRow({L"x", L"う", L"", L"2"});
    host_.AddRow({L"y", L"あ", L"", L"10"});
    host_.AddRow({L"z", L"い", L"", L"1"});
    HWND header = ListHeader(host_.List());
    auto arrows = [&](int column) { return HeaderGetFormat(header, column) & (HDF_SORTUP | HDF_SORTDOWN); };
    CycleSortState(0);
    CycleSortState(1);  // another column starts ascending and the term column stops sorting
    EXPECT_EQ(host_.Terms(), (Terms{L"y", L"z", L"x"}));
    EXPECT_EQ(arrows(1), HDF_SORTUP);
    EXPECT_EQ(arrows(0), 0);
    EXPECT_EQ(viewLayout.sortStates[0], 0);
    EXPECT_EQ(viewLayout.sortStates[1], 1);
    EXPECT_FALSE(host_.MoveButtonsEnabled());

    CycleSortState(3);
    CycleSortState(3);  // the same ordinal comparison as terms: "10" before "2"
    EXPECT_EQ(host_.Terms(), (Terms{L"x", L"y", L"z"}));
    EXPECT_EQ(arrows(3), HDF_SORTDOWN);
    EXPECT_EQ(arrows(1), 0);
    EXPECT_EQ(viewLayout.sortStates[1], 0);
    EXPECT_EQ(viewLayout.sortStates[3], 2);
    EXPECT_EQ(CurrentWordListSort().column, 3);

    CycleSortState(3);
    EXPECT_EQ(host_.Terms(), (Terms{L"x", L"y", L"z"}));
    EXPECT_EQ(arrows(3), 0);
    EXPECT_TRUE(host_.MoveButtonsEnabled());
    CycleSortState(4);  // no such column
    EXPECT_EQ(CurrentWordListSort().state, kSortStateStored);

    // A settings file of before, or with two sorting columns: the first one sorts.
    ViewLayout layout = viewLayout;
    layout.sortStates[2] = 2;
    layout.sortStates[3] = 1;
    ApplyViewLayout(layout);
    EXPECT_EQ(CurrentWordListSort().column, 2);
    EXPECT_EQ(CurrentWordListSort().state, 2);
}

TEST_F(WordListTest, MovesAtTheEdgesChangeNothing) {
    AddTerms({L"one", L"two", L"three"});
    host_.Select({0});
    MoveSelectedRow(MoveDirection::Up);
    host_.Select({2});
    MoveSelectedRow(MoveDirection::Down);
    EXPECT_EQ(host_.Terms(), (Terms{L"one", L"two", L"three"}));
    EXPECT_EQ(host_.SelectedRows(), std::vector<int>{2});
    EXPECT_FALSE(host_.ApplyEnabled());

    host_.Select({});
    MoveSelectedRow(MoveDirection::Down);
    DeleteSelectedRows();
    EXPECT_EQ(host_.Terms(), (Terms{L"one", L"two", L"three"}));
    EXPECT_FALSE(host_.ApplyEnabled()) << "nothing selected, nothing changed";
}

TEST_F(WordListTest, MovingTheFirstSelectedRowDownSwapsItAndSavesInTheNewOrder) {
    AddTerms({L"r0", L"r1", L"r2", L"r3", L"r4", L"r5"});
    host_.Select({2, 5});
    MoveSelectedRow(MoveDirection::Down);
    EXPECT_EQ(host_.Terms(), (Terms{L"r0", L"r1", L"r3", L"r2", L"r4", L"r5"}));
    EXPECT_EQ(host_.SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(host_.Row(3)[3], L"about r2");
    EXPECT_TRUE(host_.ApplyEnabled());

    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    const std::vector<uint8_t> bytes = ReadFileBytes(folder_.File(L"group01.csv"));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_LT(text.find("\"r3\""), text.find("\"r2\""));
}

TEST_F(WordListTest, DeletingRowsCountsThemAndKeepsEveryOrderKeyUnique) {
    AddTerms({L"d", L"c", L"b", L"a"});
    appSettings.entryCounts[0] = 4;
    host_.Select({0});
    DeleteSelectedRows();
    EXPECT_EQ(host_.Terms(), (Terms{L"c", L"b", L"a"}));
    EXPECT_EQ(appSettings.entryCounts[0], 3);
    EXPECT_TRUE(host_.ApplyEnabled());

    // A new entry takes the count as its key, which the last row held before the deletion.
    ListInsertRow(host_.List(), 3, L"new", appSettings.entryCounts[0]);
    std::vector<LPARAM> keys;
    for (int row = 0; row < 4; ++row) keys.push_back(ListGetKey(host_.List(), row));
    EXPECT_EQ(keys, (std::vector<LPARAM>{0, 1, 2, 3}));
    ViewLayout layout = viewLayout;
    layout.sortStates[0] = 1;
    ApplyViewLayout(layout);
    SortWordList();
    EXPECT_EQ(host_.Terms(), (Terms{L"a", L"b", L"c", L"new"}));
    layout.sortStates[0] = 0;
    ApplyViewLayout(layout);
    SortWordList();
    EXPECT_EQ(host_.Terms(), (Terms{L"c", L"b", L"a", L"new"}));
}

TEST_F(WordListTest, AZeroColumnWidthKeepsThePreviousWidth) {
    appSettings.currentGroup = 2;
    ListSetColumnWidth(host_.List(), 0, 0);
    ListSetColumnWidth(host_.List(), 3, 250);
    SaveColumnWidths();
    EXPECT_EQ(viewLayout.columnWidths[2][0], 100);
    EXPECT_EQ(viewLayout.columnWidths[2][3], 250);
    ApplyColumnWidths();
    EXPECT_EQ(ListColumnWidth(host_.List(), 0), 100);
}
