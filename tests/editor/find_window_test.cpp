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
