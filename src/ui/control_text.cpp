#include "ui/control_text.h"

#include <algorithm>
#include <cwchar>

#include "ui/ui_text.h"

int ControlTextWidth(HWND control) {
    wchar_t text[128] = {};
    const int length = GetWindowTextW(control, text, 128);
    HDC dc = GetDC(control);
    HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    // As drawn: an '&' only underlines the letter after it, unless the control says otherwise.
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const bool noPrefix = _wcsicmp(className, L"Static") == 0 && (GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX);
    RECT r{};
    DrawTextW(dc, text, length, &r, DT_CALCRECT | DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
    SelectObject(dc, previousFont);
    ReleaseDC(control, dc);
    return r.right - r.left;
}

RECT RectInDialog(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SetControlTexts(HWND dialog, const ControlTextName* rows, std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) SetDlgItemTextW(dialog, rows[n].id, UiText(rows[n].name));
}

void WidenToText(HWND dialog, HWND control, LONG limit) {
    const RECT r = RectInDialog(dialog, control);
    const LONG wanted = std::min<LONG>(ControlTextWidth(control), limit - r.left);
    if (wanted > r.right - r.left) MoveWindow(control, r.left, r.top, wanted, r.bottom - r.top, TRUE);
}
