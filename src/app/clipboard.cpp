#include "app/clipboard.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "common/bounded_copy.h"
#include "common/handles.h"

namespace {

// Formats whose data is a GDI or private handle rather than global memory;
// an image also comes as CF_DIB, which is kept.
bool HoldsGlobalMemory(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return false;
    default:
        return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
               !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

bool IsText(UINT format) {
    return format == CF_UNICODETEXT || format == CF_TEXT || format == CF_OEMTEXT || format == CF_LOCALE;
}

// An open clipboard, closed when the owner goes.
class OpenedClipboard {
public:
    // Data can only be set while a window owns the clipboard: without one,
    // EmptyClipboard leaves no owner and SetClipboardData fails.
    explicit OpenedClipboard(HWND owner = nullptr) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

// Copies one format's data if it fits what is left of the budget (text always); false when skipped.
bool CopyFormat(UINT format, std::size_t& budgetLeft, std::vector<uint8_t>& bytes) {
    HANDLE data = GetClipboardData(format);
    if (!data) return false;
    const SIZE_T size = GlobalSize(data);
    if (!IsText(format) && size > budgetLeft) return false;
    LockedGlobal<uint8_t> locked(data);
    if (!locked.Get()) return false;
    try {
        bytes.assign(locked.Get(), locked.Get() + size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    budgetLeft -= std::min<std::size_t>(size, budgetLeft);
    return true;
}

}  // namespace

ClipboardSnapshot TakeClipboardSnapshot(std::size_t budget) {
    ClipboardSnapshot snapshot;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return snapshot;
    snapshot.taken = true;
    // The system makes the 8-bit texts again from CF_UNICODETEXT when it is put back: copying them would
    // only double a large text's cost, and the Unicode text is the one that loses no character.
    const bool unicodeText = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    std::vector<UINT> formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (unicodeText && (format == CF_TEXT || format == CF_OEMTEXT)) continue;
        if (HoldsGlobalMemory(format)) formats.push_back(format);
    }
    // Text first, so the budget never costs the user their text; then the rest in the clipboard's order.
    std::vector<std::vector<uint8_t>> kept(formats.size());
    std::vector<bool> taken(formats.size(), false);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (IsText(formats[i])) taken[i] = CopyFormat(formats[i], budget, kept[i]);
    }
    for (std::size_t i = 0; i < formats.size() && budget > 0; ++i) {
        if (!IsText(formats[i])) taken[i] = CopyFormat(formats[i], budget, kept[i]);
    }
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (taken[i]) snapshot.formats.push_back({formats[i], std::move(kept[i])});
    }
    return snapshot;
}

ClipboardOutcome RestoreClipboardSnapshot(const ClipboardSnapshot& snapshot, HWND owner,
                                          std::optional<DWORD> onlyWhileNumberIs) {
    if (!snapshot.taken || !owner) return ClipboardOutcome::Failed;
    std::vector<GlobalMemory> blocks;
    blocks.reserve(snapshot.formats.size());
    for (const ClipboardFormatData& saved : snapshot.formats) {
        GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, saved.bytes.empty() ? 1 : saved.bytes.size()));
        if (!memory) return ClipboardOutcome::Failed;
        {
            LockedGlobal<uint8_t> locked(memory.Get());
            if (!locked.Get()) return ClipboardOutcome::Failed;
            if (!saved.bytes.empty()) std::memcpy(locked.Get(), saved.bytes.data(), saved.bytes.size());
        }
        blocks.push_back(std::move(memory));
    }
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return ClipboardOutcome::Busy;
    if (onlyWhileNumberIs && GetClipboardSequenceNumber() != *onlyWhileNumberIs) return ClipboardOutcome::Failed;
    if (!EmptyClipboard()) return ClipboardOutcome::Failed;
    bool all = true;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        // Once the clipboard has taken the memory it is the clipboard's to free.
        if (SetClipboardData(snapshot.formats[i].format, blocks[i].Get())) {
            blocks[i].Release();
        } else {
            all = false;
        }
    }
    return all ? ClipboardOutcome::Done : ClipboardOutcome::Failed;
}

ClipboardOutcome ReadClipboardText(wchar_t* buffer, size_t capacity, DWORD& sequenceNumber) {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return ClipboardOutcome::Busy;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    sequenceNumber = GetClipboardSequenceNumber();
    if (!data) return ClipboardOutcome::Failed;
    LockedGlobal<wchar_t> locked(data);
    if (!locked.Get()) return ClipboardOutcome::Failed;
    const size_t units = GlobalSize(data) / sizeof(wchar_t);
    CopyBounded(buffer, capacity, std::wstring_view(locked.Get(), BoundedLength(locked.Get(), units)));
    return ClipboardOutcome::Done;
}
