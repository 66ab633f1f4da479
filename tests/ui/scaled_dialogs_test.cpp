// The program's dialogs at the display scale of the prefix the tests run in:
// 96 DPI by default, and again at 120, 144 and 192 DPI (WORDHAVEN_DPI, see
// cmake/WineTests.cmake). Each dialog must be whole: every control inside the
// client area, none over another, every label and button as wide as its text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "editor/edit_dialog.h"
#include "editor/register_dialog.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/windows_found.h"
#include "ui/about_dialog.h"
#include "ui/resource_ids.h"

namespace {

int PrefixDpi() {
    const char* dpi = std::getenv("WORDHAVEN_DPI");
    return dpi ? std::atoi(dpi) : kDesignDpi;
}

RECT RectIn(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TextWidth(HWND control) {
    const std::wstring text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    // As drawn: an '&' only underlines the letter after it.
    RECT r{};
    const UINT prefix = (GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX) && ClassNameOf(control) == L"Static"
                            ? DT_NOPREFIX
                            : 0;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | prefix);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return r.right - r.left;
}

void ExpectWhole(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) controls.push_back(child);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        const RECT r = RectIn(dialog, controls[i]);
        const std::wstring className = ClassNameOf(controls[i]);
        const std::wstring name = className + L" \"" + WindowText(controls[i]) + L"\"";
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(controls[i]));
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << "outside the client area: " << testing::PrintToString(name);
        const bool isIcon = (GetWindowLongPtrW(controls[i], GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (className == L"Static" && !isIcon) {
            EXPECT_GE(r.right - r.left, TextWidth(controls[i])) << "label cut: " << testing::PrintToString(name);
        } else if (className == L"Button") {
            const int borders = 2 * MetricForDpi(SM_CXEDGE, WindowDpi(dialog));
            EXPECT_GE(r.right - r.left, TextWidth(controls[i]) + borders) << "button cut: " << testing::PrintToString(name);
        }
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT both;
            const RECT other = RectIn(dialog, controls[j]);
            EXPECT_FALSE(IntersectRect(&both, &r, &other))
                << testing::PrintToString(name) << " overlaps " << testing::PrintToString(WindowText(controls[j]));
        }
    }
}

// Runs a modal dialog, checks it once it is shown, and cancels it.
std::function<void(HWND)> checkShown;
const wchar_t* shownTitle = nullptr;
bool checked = false;

void CALLBACK CheckThenCancel(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = TopWindowsOf(GetCurrentProcessId(), L"#32770", shownTitle);
    if (found.empty() || !IsWindowVisible(found.front())) return;
    KillTimer(nullptr, timer);
    checked = true;
    checkShown(found.front());
    PostMessageW(found.front(), WM_COMMAND, IDCANCEL, 0);
}

void CheckModal(const wchar_t* title, const std::function<void()>& run, std::function<void(HWND)> check) {
    shownTitle = title;
    checkShown = std::move(check);
    checked = false;
    SetTimer(nullptr, 0, 20, CheckThenCancel);
    run();
    EXPECT_TRUE(checked) << "the dialog was not shown";
}

class AtThisScale : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        StartFromDefaults();
        instanceHandle = GetModuleHandleW(nullptr);
        linkCursor = LoadCursorW(instanceHandle, MAKEINTRESOURCEW(IDC_LINK_HAND));
        InitCommonControls();
    }
    void TearDown() override {
        if (registerDialogHandle) DestroyWindow(registerDialogHandle);
        registerDialogHandle = nullptr;
    }
    TestFolder folder_;
};

}  // namespace

TEST_F(AtThisScale, RegistrationDialogIsWholeAndKeepsItsLayoutRules) {
    const int dpi = PrefixDpi();
    OpenRegisterDialog(nullptr);
    HWND dialog = registerDialogHandle;
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(WindowDpi(dialog), dpi) << "the prefix is not at the scale asked for";
    RECT window;
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.right - window.left, ScaleToDpi(900, dpi)) << "a first start is sized for the scale";
    EXPECT_EQ(window.bottom - window.top, ScaleToDpi(525, dpi));
    ExpectWhole(dialog);
    EXPECT_EQ(SendMessageW(wordListHandle, LVM_GETCOLUMNWIDTH, 3, 0), ScaleToDpi(460, dpi));

    for (SIZE size : {SIZE{1000, 600}, SIZE{700, 400}}) {
        MoveWindow(dialog, 10, 10, ScaleToDpi(size.cx, dpi), ScaleToDpi(size.cy, dpi), TRUE);
        RECT client;
        GetClientRect(dialog, &client);
        const RegisterLayout expected = ArrangeRegisterDialog(client.right, client.bottom, dpi);
        const std::pair<HWND, ControlBox> placed[] = {
            {wordListHandle, expected.list},
            {GetDlgItem(dialog, IDC_NEW), expected.newButton},
            {GetDlgItem(dialog, IDC_MOVE_DOWN), expected.moveDownButton},
            {GetDlgItem(dialog, IDOK), expected.okButton},
            {GetDlgItem(dialog, IDC_APPLY), expected.applyButton},
        };
        for (const auto& [control, box] : placed) {
            const RECT r = RectIn(dialog, control);
            EXPECT_EQ((ControlBox{r.left, r.top, r.right - r.left, r.bottom - r.top}), box) << GetDlgCtrlID(control);
        }
        if (size.cx == 1000) ExpectWhole(dialog);
    }
}

TEST_F(AtThisScale, EditDialogIsWhole) {
    CheckModal(L"編集", [] { RunEditDialog(nullptr); }, [](HWND dialog) {
        EXPECT_EQ(WindowDpi(dialog), PrefixDpi());
        ExpectWhole(dialog);
    });
}

TEST_F(AtThisScale, AboutDialogIsWholeAndItsLinksUseItsFont) {
    CheckModal(L"ヘルプ", [] { ShowAboutDialog(nullptr); }, [](HWND dialog) {
        EXPECT_EQ(WindowDpi(dialog), PrefixDpi());
        ExpectWhole(dialog);
        LOGFONTW link{}, dialogFont{};
        GetObjectW(AboutLinkFont(), sizeof link, &link);
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof dialogFont, &dialogFont);
        EXPECT_EQ(link.lfHeight, dialogFont.lfHeight);
    });
}
