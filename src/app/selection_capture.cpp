#include "app/selection_capture.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/bounded_copy.h"
#include "common/win32_text.h"

wchar_t captureBuffer[kSearchTermUnits] = {};

namespace {

// Upper limits: the capture goes on as soon as what it waits for is there.
// The hotkey's letter and Alt reported up before Ctrl+C is pressed.
constexpr DWORD kHotkeyReleaseLimit = 150;
// Another program holding the clipboard before the copy; after this the capture
// goes on without the user's clipboard, which then cannot be put back.
constexpr DWORD kSnapshotLimit = 200;
// Ctrl+C held down until the copy shows on the clipboard; an application that
// copies later gets the keys released after this.
constexpr DWORD kCopyHeldLimit = 150;
// From pressing Ctrl+C until "nothing was copied" is decided: a program under
// load, or the first copy of a session, can take several hundred milliseconds.
constexpr DWORD kNothingCopiedLimit = 800;
// An application may write the clipboard in more than one go: the copy is read
// once its sequence number has stayed the same this long, or once a clipboard
// that keeps changing has been watched for the limit.
constexpr DWORD kCopySettle = 25;
constexpr DWORD kSettleLimit = 500;
// The copy made but the clipboard kept open by someone else.
constexpr DWORD kReadLimit = 200;
// A virtual key no keyboard has: pressed between the hotkey's letter and the
// release of Alt, so the other program does not see a lone Alt and open its menu.
constexpr BYTE kUnassignedKey = 0xE8;

// Every capture that may still put the clipboard back.
std::vector<Capture*> liveCaptures;

void Press(BYTE key) { keybd_event(key, 0, 0, 0); }
void Release(BYTE key) { keybd_event(key, 0, KEYEVENTF_KEYUP, 0); }
bool IsDown(BYTE key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[32] = {};
    return window && GetClassNameW(window, name, 32) > 0 && _wcsicmp(name, className) == 0;
}

}  // namespace

Capture::Capture(BYTE letterKey) : letterKey_(letterKey), stepStarted_(GetTickCount()) {
    liveCaptures.push_back(this);
    Release(letterKey_);
    Press(kUnassignedKey);
    Release(kUnassignedKey);
    Release(VK_MENU);
}

Capture::~Capture() {
    if (copyKeysDown_) ReleaseCopyKeys();
    liveCaptures.erase(std::remove(liveCaptures.begin(), liveCaptures.end(), this), liveCaptures.end());
}

void Capture::ReleaseCopyKeys() {
    Release('C');
    Release(VK_CONTROL);
    copyKeysDown_ = false;
}

CaptureResult Capture::Advance() {
    for (;;) {
        const DWORD now = GetTickCount();
        const DWORD inStep = now - stepStarted_;
        switch (step_) {
        case Step::ReleasingHotkey:
            if ((IsDown(letterKey_) || IsDown(VK_MENU)) && inStep < kHotkeyReleaseLimit) return CaptureResult::Waiting;
            step_ = Step::TakingSnapshot;
            stepStarted_ = now;
            break;
        case Step::TakingSnapshot:
            before_ = TakeClipboardSnapshot();
            if (!before_.taken && inStep < kSnapshotLimit) return CaptureResult::Waiting;
            numberBefore_ = GetClipboardSequenceNumber();
            Press(VK_CONTROL);
            Press('C');
            copyKeysDown_ = true;
            copyPressedAt_ = now;
            step_ = Step::WaitingForCopy;
            stepStarted_ = now;
            break;
        case Step::WaitingForCopy: {
            const DWORD number = GetClipboardSequenceNumber();
            const bool changed = number != numberBefore_;
            // Held until the application has acted on them, for those that look at the keys while copying.
            if (copyKeysDown_ && (changed || now - copyPressedAt_ >= kCopyHeldLimit)) ReleaseCopyKeys();
            if (changed) {
                lastNumberSeen_ = number;
                lastChangeAt_ = now;
                step_ = Step::Settling;
                stepStarted_ = now;
                break;
            }
            if (now - copyPressedAt_ >= kNothingCopiedLimit) {
                step_ = Step::Over;
                return CaptureResult::Unchanged;
            }
            return CaptureResult::Waiting;
        }
        case Step::Settling: {
            const DWORD number = GetClipboardSequenceNumber();
            if (number != lastNumberSeen_) {
                lastNumberSeen_ = number;
                lastChangeAt_ = now;
            }
            if (now - lastChangeAt_ < kCopySettle && inStep < kSettleLimit) return CaptureResult::Waiting;
            return ReadCopy(now);
        }
        case Step::Over:
            return CaptureResult::Unchanged;
        }
    }
}

DWORD Capture::NextStepDue() const {
    if (step_ != Step::Settling) return 0;
    const DWORD settled = GetTickCount() - lastChangeAt_;
    return settled < kCopySettle ? kCopySettle - settled : 0;
}

CaptureResult Capture::ReadCopy(DWORD now) {
    const ClipboardOutcome read = ReadClipboardText(captureBuffer, kSearchTermUnits, numberAfter_);
    if (read == ClipboardOutcome::Busy) {
        if (now - stepStarted_ < kSettleLimit + kReadLimit) return CaptureResult::Waiting;
        numberAfter_ = GetClipboardSequenceNumber();
    }
    step_ = Step::Over;
    copied_ = true;
    return read == ClipboardOutcome::Done ? CaptureResult::Captured : CaptureResult::NoText;
}

ClipboardOutcome Capture::PutBack(HWND owner) {
    if (!copied_ || putBack_) return ClipboardOutcome::Done;
    if (GetClipboardSequenceNumber() != numberAfter_) {
        putBack_ = true;
        return ClipboardOutcome::Done;
    }
    const ClipboardOutcome outcome = RestoreClipboardSnapshot(before_, owner, numberAfter_);
    if (outcome == ClipboardOutcome::Busy) return outcome;
    putBack_ = true;
    if (outcome != ClipboardOutcome::Done) return outcome;
    // A capture whose copy was on the clipboard when this one began has it there again, under a new number.
    const DWORD number = GetClipboardSequenceNumber();
    for (Capture* other : liveCaptures) {
        if (other != this && other->copied_ && !other->putBack_ && other->numberAfter_ == numberBefore_) {
            other->numberAfter_ = number;
        }
    }
    return outcome;
}

bool ForegroundIsThisProgram() {
    DWORD process = 0;
    HWND foreground = GetForegroundWindow();
    return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

bool ReadOwnSelection(wchar_t* buffer, size_t capacity) {
    // The focus of this thread: the edit control being typed in, if any. A combo box's
    // own field is left out: it selects its whole text whenever it gets the focus.
    HWND field = GetFocus();
    if (!IsClass(field, L"Edit") || IsClass(GetParent(field), L"ComboBox")) return false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end <= start) return false;
    const std::wstring text = WholeWindowText(field);
    if (start >= text.size()) return false;
    CopyBounded(buffer, capacity, std::wstring_view(text).substr(start, end - start));
    return true;
}
