#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Message boxes the program code asked for while a test ran in-process; none
// is shown, so nothing blocks the test.
struct RecordedMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// The button every recorded message answers with from now on (IDOK at first).
void AnswerMessagesWith(int button);

// Starts recording afresh and returns the list that fills up.
std::vector<RecordedMessage>& RecordMessages();

// Where every in-process test starts: the settings records at their defaults
// and no message recorded yet.
std::vector<RecordedMessage>& StartFromDefaults();
