// The About dialog run modally from its real template; a timer plays the user.
#include "ui/about_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <functional>
#include <string>

#include "app/app_globals.h"
#include "common/window_dpi.h"
#include "support/url_log.h"
#include "support/windows_found.h"
#include "ui/resource_ids.h"

namespace {

std::function<void(HWND)> user;
HWND playedDialog = nullptr;
bool closedForTheUser = false;
UINT_PTR closeTimer = 0;

// A dialog the script left open is closed a while later, and that is noted.
void CALLBACK CloseLeftOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!IsWindow(playedDialog)) return;
    closedForTheUser = true;
    PostMessageW(playedDialog, WM_COMMAND, IDOK, 0);
}

void CALLBACK PlayUser(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = TopWindowsOf(GetCurrentProcessId(), L"#32770", L"ヘルプ");
    if (found.empty() || !IsWindowVisible(found.front())) return;
    KillTimer(nullptr, timer);
    playedDialog = found.front();
    closedForTheUser = false;
    user(playedDialog);
    closeTimer = SetTimer(nullptr, 0, 1500, CloseLeftOpen);
}

// Runs the dialog with a script that ends by closing it.
void RunAbout(std::function<void(HWND)> script) {
    user = std::move(script);
    SetTimer(nullptr, 0, 20, PlayUser);
    ShowAboutDialog(nullptr);
    KillTimer(nullptr, closeTimer);
}

void PressOk(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); }

// Where the label's blue pixels lie, read from what was painted on screen.
struct BluePixels {
    int count = 0;
    int left = 1 << 30, top = 1 << 30;
    int longestRow = 0;  // the underline is the longest run of blue in a row
};

BluePixels ReadLabel(HWND label) {
    RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    BluePixels blue;
    for (int y = 0; y < client.bottom; ++y) {
        int row = 0;
        for (int x = 0; x < client.right; ++x) {
            if (GetPixel(dc, x, y) != RGB(0, 0, 255)) continue;
            ++blue.count;
            ++row;
            blue.left = std::min(blue.left, x);
            blue.top = std::min(blue.top, y);
        }
        blue.longestRow = std::max(blue.longestRow, row);
    }
    ReleaseDC(label, dc);
    return blue;
}

class AboutDialogTest : public testing::Test {
protected:
    void SetUp() override {
        instanceHandle = GetModuleHandleW(nullptr);
        linkCursor = LoadCursorW(instanceHandle, MAKEINTRESOURCEW(IDC_LINK_HAND));
    }
};

}  // namespace

TEST_F(AboutDialogTest, LinksAreBlueUnderlinedFromTheLabelsTopLeft) {
    RunAbout([](HWND dialog) {
        SetForegroundWindow(dialog);
        for (int id : {IDC_WEB_LINK, IDC_MAIL_LINK}) {
            const BluePixels blue = ReadLabel(GetDlgItem(dialog, id));
            EXPECT_GT(blue.count, 50) << id;
            EXPECT_LE(blue.left, 2) << id;
            EXPECT_LE(blue.top, 3) << id;
            EXPECT_GT(blue.longestRow, 100) << "an underline runs under the text of " << id;
        }
        LOGFONTW font{};
        GetObjectW(AboutLinkFont(), sizeof font, &font);
        EXPECT_EQ(font.lfUnderline, 1);
        PressOk(dialog);
    });
}

TEST_F(AboutDialogTest, TheLinkCursorShowsOverTheLabelsOnly) {
    RunAbout([](HWND dialog) {
        for (int id : {IDC_WEB_LINK, IDC_MAIL_LINK}) {
            HWND label = GetDlgItem(dialog, id);
            SetCursor(nullptr);
            SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), linkCursor);
        }
        HWND other = GetDlgItem(dialog, IDC_WEB_LABEL);
        SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(other), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
        PressOk(dialog);
    });
}

TEST_F(AboutDialogTest, ClicksHandTheAddressesToTheShellAndTheDialogStays) {
    ClearUrlLog();
    RunAbout([](HWND dialog) {
        for (int id : {IDC_WEB_LINK, IDC_MAIL_LINK}) {
            HWND label = GetDlgItem(dialog, id);
            SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        }
        const DWORD start = GetTickCount();
        while (RecordedUrls().size() < 2 && GetTickCount() - start < 5000) PumpFor(20);
        EXPECT_TRUE(IsWindow(dialog));
        PressOk(dialog);
    });
    auto urls = RecordedUrls();
    std::sort(urls.begin(), urls.end());
    EXPECT_EQ(urls, (std::vector<std::string>{"https://wordhaven.example.org/", "mailto:support@wordhaven.example.org"}));
}

TEST_F(AboutDialogTest, OkEnterEscAndTheCloseBoxEndItAndASecondHelpOpensNothing) {
    const std::function<void(HWND)> closers[] = {
        [](HWND d) { SendMessageW(d, WM_COMMAND, IDOK, 0); },
        [](HWND d) { SendMessageW(d, WM_CLOSE, 0, 0); },
        [](HWND d) {
            SetForegroundWindow(d);
            keybd_event(VK_RETURN, 0, 0, 0);
            keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
        },
        [](HWND d) {
            SetForegroundWindow(d);
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        },
    };
    for (const auto& close : closers) {
        RunAbout([&](HWND dialog) {
            ShowAboutDialog(nullptr);  // a second Help while it is open
            EXPECT_EQ(TopWindowsOf(GetCurrentProcessId(), L"#32770", L"ヘルプ").size(), 1u);
            close(dialog);
        });
        EXPECT_FALSE(closedForTheUser);
    }
}

TEST_F(AboutDialogTest, EachOpeningCreatesOneFontAndEachClosingDeletesIt) {
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i) {
        HFONT seen = nullptr;
        RunAbout([&](HWND dialog) {
            seen = AboutLinkFont();
            PressOk(dialog);
        });
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(GetObjectType(seen), 0u) << "the font was deleted with the dialog";
        EXPECT_EQ(AboutLinkFont(), nullptr);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}

TEST_F(AboutDialogTest, AChangeOfScaleMakesTheFontAndTheCursorForTheNewScale) {
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    RunAbout([](HWND dialog) {
        const HFONT before = AboutLinkFont();
        RECT suggested;
        GetWindowRect(dialog, &suggested);
        const int dpi = SystemDpi() * 2;
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        PumpFor(50);
        EXPECT_EQ(GetObjectType(before), 0u) << "the font of the old scale is gone";
        LOGFONTW font{};
        ASSERT_NE(GetObjectW(AboutLinkFont(), sizeof font, &font), 0);
        EXPECT_EQ(font.lfUnderline, 1);

        HWND label = GetDlgItem(dialog, IDC_MAIL_LINK);
        SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXCURSOR) * 2) << "the hand drawn for twice the scale";
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        PressOk(dialog);
    });
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}
