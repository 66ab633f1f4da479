#include "ui/about_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "app/app_globals.h"
#include "common/window_dpi.h"
#include "ui/about_layout.h"
#include "ui/control_text.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

constexpr COLORREF kLinkBlue = 0xFF0000;  // COLORREF is 0x00BBGGRR: pure blue
// Posted by WM_DPICHANGED, so it arrives after the dialog manager has given the controls their new font.
constexpr UINT kRefitAfterDpiChange = WM_APP;

HFONT linkFont = nullptr;
// The pointing hand drawn for the dialog's scale, when that is not the scale
// the start-up cursor was loaded for.
HCURSOR scaledLinkCursor = nullptr;
WNDPROC previousWebLabelProc = nullptr;
WNDPROC previousMailLabelProc = nullptr;
// The font and the saved procedures serve one dialog at a time.
bool aboutDialogOpen = false;

void PaintLink(HWND label, const wchar_t* address) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(label, &paint);
    HGDIOBJ previousFont = SelectObject(dc, linkFont);
    SetTextColor(dc, kLinkBlue);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, OPAQUE);
    TextOutW(dc, 0, 0, address, static_cast<int>(std::wcslen(address)));
    SelectObject(dc, previousFont);
    EndPaint(label, &paint);
}

LRESULT LinkLabel(WNDPROC previous, const wchar_t* address, HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintLink(label, address);
        return 0;
    case WM_SETCURSOR:
        SetCursor(scaledLinkCursor ? scaledLinkCursor : linkCursor);
        return TRUE;
    default:
        return CallWindowProcW(previous, label, message, wParam, lParam);
    }
}

void OpenAddress(HWND dialog, const std::wstring& address) {
    ShellExecuteW(dialog, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The dialog's font, underlined; made again when the scale changes the font.
HFONT CreateLinkFont(HWND dialog) {
    auto dialogFont = reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_WEB_LINK, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(dialogFont, sizeof description, &description);
    description.lfUnderline = 1;
    return CreateFontIndirectW(&description);
}

void ReleaseScaledLinkCursor() {
    if (scaledLinkCursor) DestroyCursor(scaledLinkCursor);
    scaledLinkCursor = nullptr;
}

void LoadLinkCursorFor(int dpi) {
    ReleaseScaledLinkCursor();
    if (dpi == SystemDpi()) return;
    const int size = MetricForDpi(SM_CXCURSOR, dpi);
    scaledLinkCursor = static_cast<HCURSOR>(
        LoadImageW(instanceHandle, MAKEINTRESOURCEW(IDC_LINK_HAND), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR));
}

// The template gives each text a width in dialog units, but how many pixels a
// text takes depends on the font at the dialog's scale ("E-Mail: " does not
// fit its 28 units even at 100 %), so every text is measured and given room,
// as far as the right edge of the OK button.
void FitTexts(HWND dialog) {
    const int rightEdge = RectInDialog(dialog, GetDlgItem(dialog, IDOK)).right;
    constexpr int kRows[2][2] = {{IDC_WEB_LABEL, IDC_WEB_LINK}, {IDC_MAIL_LABEL, IDC_MAIL_LINK}};
    LinkRow rows[2];
    RECT labels[2], links[2];
    for (int i = 0; i < 2; ++i) {
        HWND label = GetDlgItem(dialog, kRows[i][0]);
        HWND link = GetDlgItem(dialog, kRows[i][1]);
        labels[i] = RectInDialog(dialog, label);
        links[i] = RectInDialog(dialog, link);
        rows[i] = {labels[i].left, labels[i].right - labels[i].left, ControlTextWidth(label),
                   links[i].left,  links[i].right - links[i].left,   ControlTextWidth(link)};
    }
    FitLinkRows(rows, 2, rightEdge);
    for (int i = 0; i < 2; ++i) {
        MoveWindow(GetDlgItem(dialog, kRows[i][0]), rows[i].labelLeft, labels[i].top, rows[i].labelWidth,
                   labels[i].bottom - labels[i].top, TRUE);
        MoveWindow(GetDlgItem(dialog, kRows[i][1]), rows[i].linkLeft, links[i].top, rows[i].linkWidth,
                   links[i].bottom - links[i].top, TRUE);
    }
    // The version and notice lines.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        const int id = GetDlgCtrlID(child);
        const bool placed = id == IDC_WEB_LABEL || id == IDC_WEB_LINK || id == IDC_MAIL_LABEL || id == IDC_MAIL_LINK;
        if (placed || _wcsicmp(className, L"Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) continue;
        const RECT r = RectInDialog(dialog, child);
        const int wanted = std::min(ControlTextWidth(child), rightEdge - static_cast<int>(r.left));
        if (wanted > r.right - r.left) MoveWindow(child, r.left, r.top, wanted, r.bottom - r.top, TRUE);
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    SetWindowTextW(dialog, UiText(Text::AboutCaption));
    static constexpr ControlTextName kTexts[] = {{IDC_ABOUT_VERSION, Text::AboutVersion},
                                                 {IDC_ABOUT_NOTICE, Text::AboutNotice},
                                                 {IDC_WEB_LABEL, Text::AboutWebLabel},
                                                 {IDC_MAIL_LABEL, Text::AboutMailLabel},
                                                 {IDOK, Text::ButtonOk}};
    SetControlTexts(dialog, kTexts);
    HWND web = GetDlgItem(dialog, IDC_WEB_LINK);
    HWND mail = GetDlgItem(dialog, IDC_MAIL_LINK);
    linkFont = CreateLinkFont(dialog);
    FitTexts(dialog);
    LoadLinkCursorFor(WindowDpi(dialog));
    previousWebLabelProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(web, GWLP_WNDPROC));
    previousMailLabelProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(mail, GWLP_WNDPROC));
    SetWindowLongPtrW(web, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WebLinkLabel));
    SetWindowLongPtrW(mail, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MailLinkLabel));
    return TRUE;
}

void OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_WEB_LINK:
        if (HIWORD(wParam) == STN_CLICKED) OpenAddress(dialog, kProductPageAddress);
        break;
    case IDC_MAIL_LINK:
        if (HIWORD(wParam) == STN_CLICKED) OpenAddress(dialog, std::wstring(L"mailto:") + kContactAddress);
        break;
    default:
        DefWindowProcW(dialog, message, wParam, lParam);
        break;
    }
}

void OnRefitAfterDpiChange(HWND dialog, int dpi) {
    HFONT previousFont = linkFont;
    linkFont = CreateLinkFont(dialog);
    DeleteObject(previousFont);
    FitTexts(dialog);
    LoadLinkCursorFor(dpi);
    InvalidateRect(dialog, nullptr, TRUE);
}

void OnDestroy() {
    DeleteObject(linkFont);
    linkFont = nullptr;
    ReleaseScaledLinkCursor();
}

}  // namespace

void ShowAboutDialog(HWND owner) {
    if (aboutDialogOpen) return;
    aboutDialogOpen = true;
    DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutDialog, 0);
    aboutDialogOpen = false;
}

HFONT AboutLinkFont() { return linkFont; }

LRESULT CALLBACK WebLinkLabel(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkLabel(previousWebLabelProc, kProductPageAddress, label, message, wParam, lParam);
}

LRESULT CALLBACK MailLinkLabel(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    return LinkLabel(previousMailLabelProc, kContactAddress, label, message, wParam, lParam);
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        OnCommand(dialog, message, wParam, lParam);
        return TRUE;
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_DPICHANGED:
        // The dialog manager moves, resizes and re-fonts the controls; the
        // link font, the texts' room and the cursor follow once it is done.
        PostMessageW(dialog, kRefitAfterDpiChange, LOWORD(wParam), 0);
        return FALSE;
    case kRefitAfterDpiChange:
        OnRefitAfterDpiChange(dialog, static_cast<int>(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
