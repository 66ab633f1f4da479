#include "ui/about_dialog.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "app/app_globals.h"
#include "ui/resource_ids.h"

namespace {

constexpr COLORREF kLinkBlue = 0xFF0000;  // COLORREF is 0x00BBGGRR: pure blue

HFONT linkFont = nullptr;
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
        SetCursor(linkCursor);
        return TRUE;
    default:
        return CallWindowProcW(previous, label, message, wParam, lParam);
    }
}

void OpenAddress(HWND dialog, const std::wstring& address) {
    ShellExecuteW(dialog, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR OnInitDialog(HWND dialog) {
    HWND web = GetDlgItem(dialog, IDC_WEB_LINK);
    HWND mail = GetDlgItem(dialog, IDC_MAIL_LINK);
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(web, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(dialogFont, sizeof description, &description);
    description.lfUnderline = 1;
    linkFont = CreateFontIndirectW(&description);
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

void OnDestroy() {
    DeleteObject(linkFont);
    linkFont = nullptr;
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
    default:
        return FALSE;
    }
}
