// The hidden main window created in the test process from the program's own
// code and resources, driven with the messages Windows and the shell send it.
#include "app/main_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_globals.h"
#include "app/search_site_menu.h"
#include "app/tray_icon.h"
#include "editor/register_dialog.h"
#include "common/handles.h"
#include "storage/settings.h"
#include "support/program_windows.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        instanceHandle = GetModuleHandleW(nullptr);
        ASSERT_NE(RegisterMainWindowClass(instanceHandle), 0);
    }
    static void TearDownTestSuite() { UnregisterClassW(kMainWindowClass, instanceHandle); }

    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
        registerDialogHandle = nullptr;
        window_ = CreateMainWindow(instanceHandle);
        ASSERT_NE(window_, nullptr);
    }

    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        registerDialogHandle = nullptr;
    }

    // The exit code of the quit message posted so far, or -1 when there is none.
    static int PostedQuitCode() {
        MSG quit;
        return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(quit.wParam) : -1;
    }

    bool IniWritten() const { return ReadFileBytes(folder_.File(L"wordHaven.ini")).size() == kSettingsFileSize; }

    TestFolder folder_;
    std::vector<RecordedMessage>* messages_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, CreationAddsIconHotkeysAndTheRegisterDialog) {
    EXPECT_TRUE(TrayIconPresent(window_));
    EXPECT_FALSE(RegisterHotKey(nullptr, 11, MOD_ALT, 'W')) << "Alt+W belongs to the program";
    EXPECT_FALSE(RegisterHotKey(nullptr, 13, MOD_ALT, 'E'));
    EXPECT_FALSE(RegisterHotKey(nullptr, 14, MOD_ALT, 'R'));
    EXPECT_TRUE(messages_->empty());

    ASSERT_NE(registerDialogHandle, nullptr);
    EXPECT_TRUE(IsWindowVisible(registerDialogHandle));
    EXPECT_EQ(GetWindow(registerDialogHandle, GW_OWNER), window_);
    RECT r;
    GetWindowRect(registerDialogHandle, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 900);
    EXPECT_EQ(r.bottom - r.top, 525);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExW(instanceHandle, kMainWindowClass, &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(wc.lpszMenuName, MAKEINTRESOURCEW(109));
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_NE(wc.hIconSm, nullptr);
}

TEST_F(MainWindowTest, DestroySavesRemovesTheIconAndQuitsWithoutTouchingTheDialogsPlacement) {
    viewLayout.registerPlacement = {40, 50, 600, 400};
    HWND dialog = registerDialogHandle;
    MoveWindow(dialog, 300, 310, 700, 500, FALSE);
    DestroyWindow(window_);
    EXPECT_FALSE(IsWindow(dialog)) << "the owned dialog goes with the main window";
    EXPECT_TRUE(IniWritten());
    EXPECT_FALSE(TrayIconPresent(window_));
    EXPECT_EQ(PostedQuitCode(), 100);
    // The dialog was already destroyed when its place was asked for.
    EXPECT_EQ(viewLayout.registerPlacement.left, 40);
    EXPECT_EQ(viewLayout.registerPlacement.width, 600);
    EXPECT_TRUE(RegisterHotKey(nullptr, 11, MOD_ALT, 'W')) << "the hotkeys ended with the window";
    UnregisterHotKey(nullptr, 11);
}

TEST_F(MainWindowTest, CloseFromOutsideSavesAndQuitsButKeepsTheWindow) {
    MoveWindow(registerDialogHandle, 320, 330, 640, 480, FALSE);
    SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(IniWritten());
    EXPECT_FALSE(TrayIconPresent(window_));
    EXPECT_EQ(PostedQuitCode(), 100);
    EXPECT_EQ(viewLayout.registerPlacement.left, 320) << "an open dialog's place is recorded";
    EXPECT_EQ(viewLayout.registerPlacement.height, 480);
}

TEST_F(MainWindowTest, MinimizingHidesTheWindowAgain) {
    ShowWindow(window_, SW_SHOWNORMAL);
    ASSERT_TRUE(IsWindowVisible(window_));
    SendMessageW(window_, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(IsWindowVisible(window_));
}

TEST_F(MainWindowTest, TrayLeftClickOpensTheDialogOnlyWhenItIsClosed) {
    HWND first = registerDialogHandle;
    SendMessageW(window_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(registerDialogHandle, first);
    EXPECT_EQ(TopWindowsOf(GetCurrentProcessId(), L"#32770", L"単語登録").size(), 1u);

    MoveWindow(first, 210, 220, 800, 450, FALSE);
    SendMessageW(first, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(registerDialogHandle, nullptr);
    EXPECT_EQ(viewLayout.registerPlacement.left, 210) << "closing records the place";

    SendMessageW(window_, kTrayCallbackMessage, 107, WM_LBUTTONUP);  // another icon's click
    SendMessageW(window_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    SendMessageW(window_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(registerDialogHandle, nullptr);

    SendMessageW(window_, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    ASSERT_NE(registerDialogHandle, nullptr);
    RECT r;
    GetWindowRect(registerDialogHandle, &r);
    EXPECT_EQ(r.left, 210) << "it opens where it was closed";
    EXPECT_EQ(r.bottom - r.top, 450);
}

TEST_F(MainWindowTest, RegisterCommandOpensTheDialogOnlyWhenItIsClosed) {
    HWND first = registerDialogHandle;
    SendMessageW(window_, WM_COMMAND, 32772, 0);
    EXPECT_EQ(registerDialogHandle, first);
    SendMessageW(first, WM_COMMAND, IDCANCEL, 0);
    SendMessageW(window_, WM_COMMAND, 32772, 0);
    EXPECT_NE(registerDialogHandle, nullptr);
    EXPECT_EQ(TopWindowsOf(GetCurrentProcessId(), L"#32770", L"単語登録").size(), 1u);
}

TEST_F(MainWindowTest, ExplorerRestartBringsTheIconBack) {
    DeleteTrayIcon(window_);
    ASSERT_FALSE(TrayIconPresent(window_));
    SendMessageW(window_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconPresent(window_));
    EXPECT_TRUE(messages_->empty()) << "the hotkeys are not registered twice";
}

TEST_F(MainWindowTest, SessionEndSavesTheSettingsOnlyWhenTheSessionReallyEnds) {
    SendMessageW(window_, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(IniWritten());
    appSettings.currentGroup = 17;
    SendMessageW(window_, WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(IniWritten());
    AppSettings saved{};
    ViewLayout layout{};
    ReadSettingsImage(ReadFileBytes(folder_.File(L"wordHaven.ini")).data(), saved, layout);
    EXPECT_EQ(saved.currentGroup, 17);
    EXPECT_TRUE(TrayIconPresent(window_)) << "the program is still running";
}

TEST_F(MainWindowTest, UnknownCommandsGoToDefaultProcessing) {
    EXPECT_EQ(SendMessageW(window_, WM_COMMAND, 104, 0), 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_NE(registerDialogHandle, nullptr);
}

TEST_F(MainWindowTest, TheSiteMenuShowsAmpersandsAsWrittenAndHasAnAccessKey) {
    const std::string sites = "* Tom&Jerry https://tj.example/{query}\r\n";
    WriteFileBytes(folder_.File(L"wordHaven-sites.txt"), {sites.begin(), sites.end()});
    ReadSearchSites(window_);
    MenuHandle menu(CreatePopupMenu());
    InsertSiteMenu(menu.Get(), 0);
    wchar_t text[64] = {};
    GetMenuStringW(menu.Get(), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"検索サイト (&S)");
    GetMenuStringW(GetSubMenu(menu.Get(), 0), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Tom&&Jerry") << "shown as Tom&Jerry";
    DeleteFileW(folder_.File(L"wordHaven-sites.txt").c_str());
    ReadSearchSites(window_);
}
