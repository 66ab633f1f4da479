#pragma once
// One run of the real wordHaven.exe in a data folder, driven from outside as
// a user would: its registration dialog, its edit dialog and its messages.
#include <windows.h>

#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/remote_list.h"

enum ControlId {
    kApply = 3,
    kGroupSelector = 1039,
    kNew = 1041,
    kMoveDown = 1044,
    kRename = 1046,
    kWordList = 9999,
    kTermField = 1037,
    kReadingField = 1040,
    kSpellingField = 1042,
    kDescriptionField = 1044,
};

class Session {
public:
    // startupMessage: a message expected while the program starts, pressed
    // away and its text kept there.
    explicit Session(const std::wstring& folder, std::wstring* startupMessage = nullptr);
    ~Session();  // exits from the tray menu if the test has not
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HWND Main() const { return main_; }
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    RemoteList List() const { return RemoteList(Item(kWordList)); }
    std::vector<std::wstring> Terms() const;

    // Fills the edit dialog that the last action opened and presses OK.
    void FillEntry(const std::vector<std::wstring>& texts);
    void AddWithNew(const std::vector<std::wstring>& texts);
    // Sent rather than posted, so the next check sees the message's outcome
    // however slow the machine; the time-out only guards against a hang.
    static void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Command(WPARAM command, LPARAM control = 0);
    // Posted, for a command that waits on a question of the program.
    void PostCommand(WPARAM command);
    // wait: false when the change is to ask first (the question is then answered with Answer).
    void SelectGroup(int slot, bool wait = true);
    void TypeGroupName(const std::wstring& name);
    void ClickTermHeader();
    void CloseDialogWith(WPARAM command);
    void OpenFromTrayIcon();
    // Waits for a message of the program, checks its owner, presses the
    // button (IDOK, IDYES, IDNO, IDCANCEL) and returns its text.
    std::wstring Answer(int button, HWND expectedOwner);
    void ChooseExit();
    DWORD Exit();
    ProgramRun& Program() { return program_; }

private:
    ProgramRun program_;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
};
