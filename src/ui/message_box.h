#pragma once
#include <windows.h>

#include "ui/messages.h"

#include <string_view>

// Shows one of the program's messages in the current language, with detail
// (a file name) on a line of its own after the text; the owner is used only
// by the messages that take one. Returns the button pressed (IDYES, ...).
int ShowMessage(Message message, HWND owner = nullptr, std::wstring_view detail = {});

// Tests replace the presenter so no modal box blocks them.
using MessageBoxPresenter = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
void SetMessageBoxPresenter(MessageBoxPresenter presenter);
