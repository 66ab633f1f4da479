#pragma once
#include <windows.h>

#include "ui/messages.h"

#include <string>
#include <string_view>

// Shows one of the program's messages in the current language, with detail
// (a file name) on a line of its own after the text; the owner is used only
// by the messages that take one. Returns the button pressed (IDYES, ...).
int ShowMessage(Message message, HWND owner = nullptr, std::wstring_view detail = {});

// While Windows ends the session nobody is there to answer, and a window
// that waits would be ended with the program: messages are then collected
// instead of shown (a question counts as cancelled), to be told later.
void CollectMessagesInstead(bool collect);
// The texts collected, each with its detail, and the collection emptied.
std::wstring TakeCollectedMessages();

// Tests replace the presenter so no modal box blocks them.
using MessageBoxPresenter = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
void SetMessageBoxPresenter(MessageBoxPresenter presenter);
