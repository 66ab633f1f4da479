// The program's dialogs at the display scale of the prefix the tests run in:
// 96 DPI by default, and again at 120, 144 and 192 DPI (WORDHAVEN_DPI, see
// cmake/WineTests.cmake). Each dialog must be whole: every control inside the
// client area, none over another, every label and button as wide as its text,
// in each language, every text from that language's table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "editor/edit_dialog.h"
#include "editor/find_window.h"
#include "editor/register_dialog.h"
#include "editor/register_dialog_layout.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/windows_found.h"
#include "ui/about_dialog.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

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

std::vector<std::wstring> HeaderTexts(HWND list) {
    std::vector<std::wstring> texts;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (int n = 0; n < static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); ++n) {
        wchar_t text[64] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(header, HDM_GETITEMW, n, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

// The caption, every label, button and column header: a text of the
// language's table, or one no language changes.
void ExpectLanguage(HWND window, int language) {
    std::set<std::wstring> known = {L"", L"▲", L"▼", kProductPageAddress, kContactAddress,
                                    UiText(Text::FindCount, L"0")};
    const TextTable table = TextsOf(language);
    for (std::size_t n = 0; n < table.count; ++n) known.insert(AsWide(table.rows[n].text));
    std::vector<std::wstring> shown = {WindowText(window)};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring className = ClassNameOf(child);
        const bool isIcon = (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if ((className == L"Static" && !isIcon) || className == L"Button") shown.push_back(WindowText(child));
        if (className == L"SysListView32") {
            for (const std::wstring& title : HeaderTexts(child)) shown.push_back(title);
        }
    }
    for (const std::wstring& text : shown) {
        EXPECT_TRUE(known.count(text)) << "not of language " << language << ": " << testing::PrintToString(text);
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

// The modal dialogs open in the language of the moment; the glossary and the
// find window also follow a switch while they are open.
TEST_F(AtThisScale, EveryWindowIsWholeInEachLanguage) {
    for (int language : {kEnglish, kJapanese}) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        const int other = 1 - language;
        appSettings.languageIndex = language;
        CheckModal(UiText(Text::EditCaption), [] { RunEditDialog(nullptr); }, [language](HWND dialog) {
            ExpectWhole(dialog);
            ExpectLanguage(dialog, language);
        });
        CheckModal(UiText(Text::AboutCaption), [] { ShowAboutDialog(nullptr); }, [language](HWND dialog) {
            ExpectWhole(dialog);
            ExpectLanguage(dialog, language);
        });

        OpenRegisterDialog(nullptr);
        HWND find = CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), nullptr, FindDialog, 0);
        ASSERT_NE(find, nullptr);
        for (int shown : {language, other}) {
            SCOPED_TRACE(testing::Message() << "switched to " << shown);
            appSettings.languageIndex = shown;
            SetMnemonicCaptions(registerDialogHandle);
            ShowFindWindowTexts();
            for (HWND window : {registerDialogHandle, find}) {
                ExpectWhole(window);
                ExpectLanguage(window, shown);
            }
        }
        SendMessageW(find, WM_CLOSE, 0, 0);
        DestroyWindow(registerDialogHandle);
        registerDialogHandle = nullptr;
    }
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
