#include "support/save_as_dialog.h"

#include <gtest/gtest.h>

#include "support/session.h"
#include "support/windows_found.h"

namespace {

constexpr int kFileTypeCombo = 0x470;  // cmb1 of the common file dialog
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

}  // namespace

HWND PressSaveAs(DWORD processId, const std::wstring& name, int fileType) {
    HWND dialog = WaitForShownTopWindow(processId, L"#32770", L"書き出し", 10000);
    EXPECT_NE(dialog, nullptr) << "no Save As dialog";
    if (!dialog) return nullptr;
    HWND types = GetDlgItem(dialog, kFileTypeCombo);
    SendMessageW(types, CB_SETCURSEL, fileType - 1, 0);
    // What a pick from the drop-down sends: Wine's dialog reads the choice on the second.
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
        Session::SendAndWait(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, code), reinterpret_cast<LPARAM>(types));
    }
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    if (!field) field = GetDlgItem(dialog, kFileNameEdit);
    EXPECT_NE(field, nullptr);
    Session::SendAndWait(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return dialog;
}

void AnswerReplaceQuestion(DWORD processId, HWND dialog) {
    HWND question = nullptr;
    ASSERT_TRUE(PollUntil([&] {
        for (HWND w : TopWindowsOf(processId, L"#32770", nullptr)) {
            const std::wstring title = WindowText(w);
            if (w != dialog && IsWindowVisible(w) && title != L"単語登録" && title != L"wordHaven") question = w;
        }
        return question != nullptr;
    })) << "no question before the file is replaced";
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
}

void SaveAs(DWORD processId, const std::wstring& path, int fileType, bool exists) {
    HWND dialog = PressSaveAs(processId, path, fileType);
    ASSERT_NE(dialog, nullptr);
    if (exists) AnswerReplaceQuestion(processId, dialog);
    ASSERT_TRUE(WaitForNoTopWindow(processId, L"#32770", L"書き出し", 10000));
}
