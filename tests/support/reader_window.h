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

// An application that copies its selection in its own time on Ctrl+C: after a
// delay, or at once but with the text rendered only when the clipboard asks for it.
class CopyingReader {
public:
    enum class Copy { Late, OnRequest };
    CopyingReader(const std::wstring& selection, Copy how, DWORD delay = 0);
    ~CopyingReader();
    CopyingReader(const CopyingReader&) = delete;
    CopyingReader& operator=(const CopyingReader&) = delete;
    void Focus();
    int CopiesAsked() const { return copiesAsked_; }
    int TextsRendered() const { return textsRendered_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PutText(bool openClipboard);

    HWND window_ = nullptr;
    std::wstring selection_;
    Copy how_;
    DWORD delay_;
    int copiesAsked_ = 0;
    int textsRendered_ = 0;
};

// Presses Alt with a letter as a user does; the key events go through the
// system's input, so registered hotkeys see them.
void PressAltWith(BYTE letter);

// Clicks (or double-clicks) the left button at a point of the screen.
void ClickAt(POINT screen, bool twice = false);
