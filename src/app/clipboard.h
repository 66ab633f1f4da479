#pragma once
// The user's clipboard, taken whole before a capture and put back after it.
#include <windows.h>

#include <cstdint>
#include <vector>

struct ClipboardFormatData {
    UINT format;
    std::vector<uint8_t> bytes;
};

// Everything on the clipboard whose data is global memory (text of any
// length, DIB images, files, HTML, rich text, ...), in the clipboard's order.
struct ClipboardSnapshot {
    bool taken = false;  // false when the clipboard could not be opened
    std::vector<ClipboardFormatData> formats;
};

ClipboardSnapshot TakeClipboardSnapshot();
// Puts exactly the snapshot back (an empty clipboard stays empty), with the
// owner window as the clipboard's owner.
bool RestoreClipboardSnapshot(const ClipboardSnapshot& snapshot, HWND owner);
// Reads the clipboard's text into a fixed buffer (cut, terminated); false when there is none.
bool ReadClipboardText(wchar_t* buffer, size_t capacity);
