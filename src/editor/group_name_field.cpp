#include "editor/group_name_field.h"

#include "common/win32_text.h"
#include "editor/group_name.h"
#include "editor/register_dialog.h"
#include "ui/resource_ids.h"

namespace {

WNDPROC previousFieldProc = nullptr;

std::wstring ReadField(HWND field) {
    wchar_t text[kGroupNameMaxUnits + 1] = {};
    GetWindowTextW(field, text, static_cast<int>(kGroupNameMaxUnits + 1));
    return text;
}

void EnableApply() { EnableWindow(GetDlgItem(registerDialogHandle, IDC_APPLY), TRUE); }

LRESULT OnChar(HWND field, WPARAM wParam, LPARAM lParam) {
    DWORD selectionStart = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), 0);
    const std::wstring before = ReadField(field);
    const auto typed = static_cast<char16_t>(wParam);
    const GroupNameKeystroke kind = ClassifyGroupNameKeystroke(typed, IsNameSafeCharacter);

    if (kind == GroupNameKeystroke::NameSafe) EnableApply();
    CallWindowProcW(previousFieldProc, field, WM_CHAR, wParam, lParam);
    if (kind == GroupNameKeystroke::NameSafe) return 0;

    const std::wstring after = ReadField(field);
    const GroupNameEdit edit = DecideGroupNameEdit(kind, typed, AsUtf16View(before.c_str()), AsUtf16View(after.c_str()),
                                                   selectionStart, IsNameSafeCharacter);
    if (edit.replaceText) {
        const std::wstring text(edit.text.begin(), edit.text.end());
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(field, EM_SETSEL, edit.caret, static_cast<LPARAM>(edit.caret));
    }
    if (edit.enableApply) EnableApply();
    return 0;
}

LRESULT CALLBACK GroupNameFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        return OnChar(field, wParam, lParam);
    default:
        return CallWindowProcW(previousFieldProc, field, message, wParam, lParam);
    }
}

}  // namespace

void InstallGroupNameFilter(HWND field) {
    previousFieldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(field, GWLP_WNDPROC));
    SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupNameFilter));
}
