#pragma once
#include <windows.h>

#include "ui/messages.h"

// Shows one of the program's messages in the current language, owned by the
// given window (none by default).
void ShowMessage(Message message, HWND owner = nullptr);

// Tests replace the presenter so no modal box blocks them.
using MessageBoxPresenter = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
void SetMessageBoxPresenter(MessageBoxPresenter presenter);
