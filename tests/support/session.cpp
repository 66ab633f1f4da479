#include "support/session.h"

#include <gtest/gtest.h>

#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/windows_found.h"

Session::Session(const std::wstring& folder, std::wstring* startupMessage) : program_(folder) {
    if (startupMessage) {
        HWND box = WaitForMessageBox(program_.ProcessId(), L"wordHaven");
        EXPECT_NE(box, nullptr) << "no message at start-up";
        if (box) {
            *startupMessage = MessageBoxText(box);
            PressOk(box);
        }
    }
    main_ = WaitForMainWindow(program_.ProcessId());
    dialog_ = WaitForRegisterDialog(program_.ProcessId());
}

Session::~Session() {
    if (program_.WaitForExit(0)) return;
    ChooseFromTrayMenu(main_, L'e');
    program_.WaitForExit(10000);
}

std::vector<std::wstring> Session::Terms() const {
    RemoteList list = List();
    std::vector<std::wstring> terms;
    for (int row = 0; row < list.RowCount(); ++row) terms.push_back(list.Text(row, 0));
    return terms;
}

void Session::FillEntry(const std::vector<std::wstring>& texts) {
    HWND edit = WaitForShownTopWindow(program_.ProcessId(), L"#32770", L"編集", 5000);
    ASSERT_NE(edit, nullptr) << "no edit dialog";
    const int ids[4] = {kTermField, kReadingField, kSpellingField, kDescriptionField};
    for (size_t i = 0; i < texts.size(); ++i) SetDlgItemTextW(edit, ids[i], texts[i].c_str());
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_.ProcessId(), L"#32770", L"編集"));
}

void Session::AddWithNew(const std::vector<std::wstring>& texts) {
    PostMessageW(dialog_, WM_COMMAND, kNew, 0);
    FillEntry(texts);
}

void Session::SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
}

void Session::Command(WPARAM command, LPARAM control) { SendAndWait(dialog_, WM_COMMAND, command, control); }

void Session::PostCommand(WPARAM command) { PostMessageW(dialog_, WM_COMMAND, command, 0); }

void Session::SelectGroup(int slot, bool wait) {
    SendMessageW(Item(kGroupSelector), CB_SETCURSEL, slot, 0);
    const WPARAM change = MAKEWPARAM(kGroupSelector, CBN_SELCHANGE);
    if (wait) {
        Command(change, reinterpret_cast<LPARAM>(Item(kGroupSelector)));
    } else {
        PostMessageW(dialog_, WM_COMMAND, change, reinterpret_cast<LPARAM>(Item(kGroupSelector)));
    }
}

void Session::TypeGroupName(const std::wstring& name) {
    for (wchar_t c : name) SendAndWait(Item(kRename), WM_CHAR, c, 0);
}

void Session::ClickTermHeader() {
    HWND header = FindWindowExW(Item(kWordList), nullptr, L"SysHeader32", nullptr);
    RECT r;
    GetWindowRect(header, &r);
    ClickAt({r.left + 30, (r.top + r.bottom) / 2});
    PumpFor(300);
}

void Session::CloseDialogWith(WPARAM command) {
    PostMessageW(dialog_, WM_COMMAND, command, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_.ProcessId(), L"#32770", L"単語登録"));
}

void Session::OpenFromTrayIcon() {
    PostMessageW(main_, WM_APP + 1, 108, WM_LBUTTONUP);
    dialog_ = WaitForRegisterDialog(program_.ProcessId());
}

std::wstring Session::Answer(int button, HWND expectedOwner) {
    HWND box = WaitForMessageBox(program_.ProcessId(), L"wordHaven", 10000);
    EXPECT_NE(box, nullptr) << "no message";
    if (!box) return {};
    EXPECT_EQ(GetWindow(box, GW_OWNER), expectedOwner);
    const std::wstring text = MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    WaitForNoTopWindow(program_.ProcessId(), L"#32770", L"wordHaven", 5000);
    PumpFor(100);
    return text;
}

void Session::ChooseExit() { ChooseFromTrayMenu(main_, L'e'); }

DWORD Session::Exit() {
    DWORD code = 99;
    ChooseExit();
    EXPECT_TRUE(program_.WaitForExit(15000, &code));
    return code;
}
