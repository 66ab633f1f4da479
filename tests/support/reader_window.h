#pragma once
// A stand-in for the application the user reads in: a window with a text
// field whose selection the hotkeys copy.
#include <windows.h>

#include <string>

class ReaderWindow {
public:
    explicit ReaderWindow(const std::wstring& text);
    ~ReaderWindow();
    // Selects [start, end) and brings the window to the front.
    void SelectAndFocus(int start, int end);

private:
    HWND window_ = nullptr;
    HWND field_ = nullptr;
};

// Presses Alt with a letter as a user does; the key events go through the
// system's input, so registered hotkeys see them.
void PressAltWith(BYTE letter);

// Clicks (or double-clicks) the left button at a point of the screen.
void ClickAt(POINT screen, bool twice = false);
