#pragma once
// The user's clipboard, taken before a capture and put back after it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Every call opens the clipboard once and never waits: while another program
// holds it, the call reports Busy (a snapshot comes back not taken) and the
// caller tries again from its timer, so this thread keeps answering that
// program, which may be waiting for an answer from us.
enum class ClipboardOutcome {
    Done,
    Busy,    // another program has the clipboard open
    Failed,  // nothing to read, or the data could not be prepared
};

ClipboardSnapshot TakeClipboardSnapshot(std::size_t budget = kSnapshotBudget);
// Puts exactly the snapshot back (an empty clipboard stays empty), with the
// owner window as the clipboard's owner. Without an owner, or when the data
// cannot be prepared, the clipboard is left as it is: EmptyClipboard is only
// called once everything is ready to go back. With a sequence number, only while
// the clipboard still has that number once it is open (Failed otherwise).
ClipboardOutcome RestoreClipboardSnapshot(const ClipboardSnapshot& snapshot, HWND owner,
                                          std::optional<DWORD> onlyWhileNumberIs = std::nullopt);
// Reads the clipboard's text into a fixed buffer (cut, terminated); Failed when there is none.
// The sequence number is read while the clipboard is still open, once the text is
// in hand: a program that renders its text only when asked has rendered it by then.
ClipboardOutcome ReadClipboardText(wchar_t* buffer, size_t capacity, DWORD& sequenceNumber);
