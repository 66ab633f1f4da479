// The find window from its real template in this process, where memory can
// be made to run out while it reads and folds the glossary.
#include "editor/find_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/app_globals.h"
#include "storage/settings.h"
#include "support/test_folder.h"
#include "support/failing_allocations.h"
#include "ui/resource_ids.h"

namespace {

std::wstring CountText(HWND find) {
    wchar_t text[512] = {};
    GetDlgItemTextW(find, IDC_FIND_COUNT, text, 512);
    return text;
}

}  // namespace

TEST(FindWindowMemory, RunningOutWhileReadingOrFoldingIsReportedAndTheWindowLives) {
    appSettings = DefaultAppSettings();
    TestFolder folder;
    folder.Enter();
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "word" + std::to_string(i) + ",reading,spelling,a description of the word\n";
    WriteFileBytes(folder.File(L"group01.csv"), {text.begin(), text.end()});
    instanceHandle = GetModuleHandleW(nullptr);
    InitCommonControls();
    HWND find = CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), nullptr, FindDialog, 0);
    ASSERT_NE(find, nullptr);

    // Each time the file changes, so it is read and folded again.
    for (std::size_t size : {std::size_t{2 * 1024 * 1024}, std::size_t{256 * 1024}}) {
        text += "word" + std::to_string(size) + ",,,\n";
        WriteFileBytes(folder.File(L"group01.csv"), {text.begin(), text.end()});
        FailAllocationsOfAtLeast(size);
        SetDlgItemTextW(find, IDC_FIND_TEXT, size > 1024 * 1024 ? L"word1" : L"word12");
        FailAllocationsOfAtLeast(static_cast<std::size_t>(-1));
        const std::wstring count = CountText(find);
        EXPECT_TRUE(count.find(L"メモリが足りず") != std::wstring::npos || count.find(L"読めなかったグループ: group01") != std::wstring::npos)
            << "at " << size << " bytes: " << testing::PrintToString(count);
        ASSERT_TRUE(IsWindow(find));
    }
    // With memory back, the same search finds every entry.
    SetDlgItemTextW(find, IDC_FIND_TEXT, L"word1999");
    EXPECT_EQ(CountText(find), L"11 件");
    SendMessageW(find, WM_CLOSE, 0, 0);
}

namespace {

WNDPROC listProcedure = nullptr;
int resultsShown = 0;

LRESULT CALLBACK CountShows(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LVM_GETITEMCOUNT) ++resultsShown;  // asked once each time the results are shown
    return CallWindowProcW(listProcedure, list, message, wParam, lParam);
}

}  // namespace

TEST(FindWindowUpdates, EachChangeShowsTheResultsOnceAndNothingElseShowsThem) {
    appSettings = DefaultAppSettings();
    TestFolder folder;
    folder.Enter();
    std::string text = "apple,,,\nmaple,,,\nbanana,,,\n";
    WriteFileBytes(folder.File(L"group01.csv"), {text.begin(), text.end()});
    instanceHandle = GetModuleHandleW(nullptr);
    InitCommonControls();
    HWND find = CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), nullptr, FindDialog, 0);
    ASSERT_NE(find, nullptr);
    HWND list = GetDlgItem(find, IDC_FIND_RESULTS);
    listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountShows)));
    auto shows = [](auto step) {
        resultsShown = 0;
        step();
        return resultsShown;
    };
    EXPECT_EQ(shows([&] { SetDlgItemTextW(find, IDC_FIND_TEXT, L"ple"); }), 1) << "typing";
    EXPECT_EQ(CountText(find), L"2 件");
    NMLISTVIEW click{};
    click.hdr = {list, IDC_FIND_RESULTS, LVN_COLUMNCLICK};
    click.iSubItem = 1;
    EXPECT_EQ(shows([&] { SendMessageW(find, WM_NOTIFY, IDC_FIND_RESULTS, reinterpret_cast<LPARAM>(&click)); }), 1)
        << "a column click";
    EXPECT_EQ(shows([&] { SendMessageW(find, WM_TIMER, 1, 0); }), 0) << "a look at the files that finds no change";
    text += "pineapple,,,\n";
    WriteFileBytes(folder.File(L"group01.csv"), {text.begin(), text.end()});
    EXPECT_EQ(shows([&] { SendMessageW(find, WM_TIMER, 1, 0); }), 1) << "a look that finds the file changed";
    EXPECT_EQ(CountText(find), L"3 件");
    SendMessageW(find, WM_CLOSE, 0, 0);
}
