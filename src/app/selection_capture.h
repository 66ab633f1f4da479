#pragma once
// Copying the foreground application's selection through the clipboard, and
// giving the user's clipboard back afterwards.
#include <windows.h>

#include "app/search_query.h"

enum class CaptureResult {
    Unchanged,  // nothing was copied: the hotkey ends quietly
    Captured,   // the copied text is in captureBuffer
    NoText,     // something without text was copied
};

// The text of the last capture, cut to 1023 units.
extern wchar_t captureBuffer[kSearchTermUnits];

// Releases the hotkey's letter and Alt, copies with Ctrl+C and reads the
// clipboard; what was on the clipboard before is kept for RestoreClipboard.
CaptureResult CaptureSelection(BYTE letterKey);
// Waits without handling posted messages or input, but answers messages other
// programs send: once the program owns the clipboard, the application being
// copied from asks it to let go (WM_DESTROYCLIPBOARD) and would otherwise
// stall until the wait is over, too late for the copy to be seen.
void WaitAnsweringSentMessages(DWORD milliseconds);
// Puts the clipboard back exactly as it was before the last capture.
int RestoreClipboard();
