#pragma once
// The user's clipboard, taken before a capture and put back after it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct ClipboardFormatData {
    UINT format;
    std::vector<uint8_t> bytes;
};

// Everything on the clipboard whose data is global memory (text of any
// length, DIB images, files, HTML, rich text, ...), in the clipboard's order,
// within a memory budget.
struct ClipboardSnapshot {
    bool taken = false;  // false when the clipboard could not be opened
    std::vector<ClipboardFormatData> formats;
};

// A spreadsheet selection can bring hundreds of megabytes in formats the source
// renders only when asked. Text is always kept; other formats are kept in the
// clipboard's order while they fit in the budget, and no more are asked for once it is spent.
inline constexpr std::size_t kSnapshotBudget = 64u << 20;

ClipboardSnapshot TakeClipboardSnapshot(std::size_t budget = kSnapshotBudget);
// Puts exactly the snapshot back (an empty clipboard stays empty), with the
// owner window as the clipboard's owner. Without an owner, or when the data
// cannot be prepared, the clipboard is left as it is: EmptyClipboard is only
// called once everything is ready to go back.
bool RestoreClipboardSnapshot(const ClipboardSnapshot& snapshot, HWND owner);
// Reads the clipboard's text into a fixed buffer (cut, terminated); false when there is none.
// The sequence number is read while the clipboard is open, when the program that
// last wrote to it has finished writing.
bool ReadClipboardText(wchar_t* buffer, size_t capacity, DWORD& sequenceNumber);

// Waits without handling posted messages or input, but answers messages other
// programs send: once the program owns the clipboard, the application being
// copied from asks it to let go (WM_DESTROYCLIPBOARD) and would otherwise
// stall until the wait is over, too late for the copy to be seen; a program
// may also hold the clipboard open while it waits for an answer from us.
void WaitAnsweringSentMessages(DWORD milliseconds);
