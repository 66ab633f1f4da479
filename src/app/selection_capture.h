#pragma once
// Copying the foreground application's selection through the clipboard, and
// giving the user's clipboard back afterwards.
#include <windows.h>

#include "app/clipboard.h"
#include "app/search_query.h"

enum class CaptureResult {
    Waiting,    // still waiting for the keys or the clipboard: advance again at the next tick
    Unchanged,  // nothing was copied: the hotkey ends quietly
    Captured,   // the copied text is in captureBuffer
    NoText,     // something without text was copied
};

// The text of the last capture, cut to 1023 units.
extern wchar_t captureBuffer[kSearchTermUnits];

// One hotkey's capture. It never waits: each step is taken as soon as what it
// needs is there (the hotkey's keys up, the clipboard free, the copy made and
// settled), and Advance is called again from a timer until the capture is
// over. It keeps the user's clipboard from before the copy, and the
// clipboard's sequence number once the copy was read. Captures can overlap: a
// hotkey pressed while the Alt+E edit dialog is open captures while the first
// capture waits to put its clipboard back.
class Capture {
public:
    // Releases the hotkey's letter and Alt at once.
    explicit Capture(BYTE letterKey);
    // Lets go of Ctrl and C if the capture is dropped while holding them.
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    CaptureResult Advance();
    // Milliseconds until Advance has something to do that no clipboard change
    // announces; 0 when it should be asked at every tick.
    DWORD NextStepDue() const;
    // Puts the clipboard back as it was before the capture, owned by the window
    // the hotkey was sent to; but only while it still holds what the copy put
    // there: a copy the user made since is theirs to keep. Done once put back (or
    // once there is nothing to put back); Busy while another program holds the
    // clipboard, to be tried again.
    ClipboardOutcome PutBack(HWND owner);

private:
    enum class Step { ReleasingHotkey, TakingSnapshot, WaitingForCopy, Settling, Over };

    CaptureResult ReadCopy(DWORD now);
    void ReleaseCopyKeys();

    BYTE letterKey_;
    Step step_ = Step::ReleasingHotkey;
    DWORD stepStarted_;
    DWORD copyPressedAt_ = 0;
    DWORD lastNumberSeen_ = 0;
    DWORD lastChangeAt_ = 0;
    bool copyKeysDown_ = false;

    ClipboardSnapshot before_;
    DWORD numberBefore_ = 0;
    DWORD numberAfter_ = 0;
    bool copied_ = false;
    bool putBack_ = false;
};

// When one of this program's windows is in front, the selection of its
// focused edit control (a synthesised Ctrl+C would reach this thread only
// after the capture had stopped waiting for it). False when there is none.
bool ReadOwnSelection(wchar_t* buffer, size_t capacity);
// Whether the foreground window belongs to this program.
bool ForegroundIsThisProgram();
