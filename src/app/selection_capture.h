#pragma once
// Copying the foreground application's selection through the clipboard, and
// giving the user's clipboard back afterwards.
#include <windows.h>

#include "app/clipboard.h"
#include "app/search_query.h"

enum class CaptureResult {
    Unchanged,  // nothing was copied: the hotkey ends quietly
    Captured,   // the copied text is in captureBuffer
    NoText,     // something without text was copied
};

// The text of the last capture, cut to 1023 units.
extern wchar_t captureBuffer[kSearchTermUnits];

// One hotkey's capture: the user's clipboard before the copy, and the
// clipboard's sequence number once the copy was read. A hotkey pressed while
// the Alt+E edit dialog is open runs inside the outer hotkey's handler, so
// captures nest, and each keeps its own.
class Capture {
public:
    Capture();
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

private:
    friend CaptureResult CaptureSelection(Capture& capture, BYTE letterKey);
    friend int RestoreClipboard(Capture& capture, HWND owner);

    ClipboardSnapshot before_;
    DWORD numberBefore_ = 0;
    DWORD numberAfter_ = 0;
    bool copied_ = false;
    Capture* outer_;
};

// Releases the hotkey's letter and Alt, copies with Ctrl+C and reads the
// clipboard; what was on the clipboard before is kept in the capture.
CaptureResult CaptureSelection(Capture& capture, BYTE letterKey);
// Puts the clipboard back as it was before the capture, owned by the window
// the hotkey was sent to; but only while it still holds what the copy put
// there: a copy the user made since is theirs to keep. 0 when put back.
int RestoreClipboard(Capture& capture, HWND owner);

// When one of this program's windows is in front, the selection of its
// focused edit control (a synthesised Ctrl+C would reach this thread only
// after the capture had stopped waiting for it). False when there is none.
bool ReadOwnSelection(wchar_t* buffer, size_t capacity);
// Whether the foreground window belongs to this program.
bool ForegroundIsThisProgram();
