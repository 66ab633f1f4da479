#include "app/selection_capture.h"

#include <string>
#include <string_view>

#include "common/bounded_copy.h"

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

Capture* innermostCapture = nullptr;

void Press(BYTE key) { keybd_event(key, 0, 0, 0); }
void Release(BYTE key) { keybd_event(key, 0, KEYEVENTF_KEYUP, 0); }

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[32] = {};
    return window && GetClassNameW(window, name, 32) > 0 && _wcsicmp(name, className) == 0;
}

}  // namespace

Capture::Capture() : outer_(innermostCapture) { innermostCapture = this; }

Capture::~Capture() { innermostCapture = outer_; }

CaptureResult CaptureSelection(Capture& capture, BYTE letterKey) {
    Release(letterKey);
    Press(kUnassignedKey);
    Release(kUnassignedKey);
    Release(VK_MENU);

    capture.before_ = TakeClipboardSnapshot();
    const DWORD before = GetClipboardSequenceNumber();
    capture.numberBefore_ = before;

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
    const bool text = ReadClipboardText(captureBuffer, kSearchTermUnits, capture.numberAfter_);
    capture.copied_ = true;
    return text ? CaptureResult::Captured : CaptureResult::NoText;
}

int RestoreClipboard(Capture& capture, HWND owner) {
    if (!capture.copied_ || GetClipboardSequenceNumber() != capture.numberAfter_) return -1;
    if (!RestoreClipboardSnapshot(capture.before_, owner)) return -1;
    // An outer capture's copy is on the clipboard again, under a new number.
    Capture* outer = capture.outer_;
    if (outer && outer->copied_ && outer->numberAfter_ == capture.numberBefore_) {
        outer->numberAfter_ = GetClipboardSequenceNumber();
    }
    return 0;
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
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    if (start >= text.size()) return false;
    CopyBounded(buffer, capacity, std::wstring_view(text).substr(start, end - start));
    return true;
}
