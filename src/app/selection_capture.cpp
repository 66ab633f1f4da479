#include "app/selection_capture.h"

#include "app/app_globals.h"
#include "app/clipboard.h"

wchar_t captureBuffer[kSearchTermUnits] = {};

namespace {

constexpr DWORD kCopyPressedWait = 150;
constexpr DWORD kCopyReleasedWait = 150;
// A program under load, or the first copy of a session, can take longer than
// the fixed waits to put its text on the clipboard.
constexpr DWORD kLateCopyWait = 500;
constexpr DWORD kLateCopyPoll = 20;
// A virtual key no keyboard has: pressed between the hotkey's letter and the
// release of Alt, so the other program does not see a lone Alt and open its menu.
constexpr BYTE kUnassignedKey = 0xE8;

ClipboardSnapshot clipboardBefore;

void Press(BYTE key) { keybd_event(key, 0, 0, 0); }
void Release(BYTE key) { keybd_event(key, 0, KEYEVENTF_KEYUP, 0); }

}  // namespace

void WaitAnsweringSentMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed, QS_SENDMESSAGE, MWMO_ALERTABLE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers what was sent
    }
}

CaptureResult CaptureSelection(BYTE letterKey) {
    Release(letterKey);
    Press(kUnassignedKey);
    Release(kUnassignedKey);
    Release(VK_MENU);

    clipboardBefore = TakeClipboardSnapshot();
    const DWORD before = GetClipboardSequenceNumber();

    Press(VK_CONTROL);
    Press('C');
    WaitAnsweringSentMessages(kCopyPressedWait);
    Release('C');
    Release(VK_CONTROL);
    WaitAnsweringSentMessages(kCopyReleasedWait);
    for (DWORD waited = 0; GetClipboardSequenceNumber() == before && waited < kLateCopyWait; waited += kLateCopyPoll) {
        WaitAnsweringSentMessages(kLateCopyPoll);
    }

    if (GetClipboardSequenceNumber() == before) return CaptureResult::Unchanged;
    return ReadClipboardText(captureBuffer, kSearchTermUnits) ? CaptureResult::Captured : CaptureResult::NoText;
}

int RestoreClipboard() { return RestoreClipboardSnapshot(clipboardBefore, mainWindowHandle) ? 0 : -1; }
