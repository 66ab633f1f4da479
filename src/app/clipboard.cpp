#include "app/clipboard.h"

#include <cstring>
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

}  // namespace

ClipboardSnapshot TakeClipboardSnapshot() {
    ClipboardSnapshot snapshot;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return snapshot;
    snapshot.taken = true;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (!HoldsGlobalMemory(format)) continue;
        HANDLE data = GetClipboardData(format);
        if (!data) continue;
        const SIZE_T size = GlobalSize(data);
        LockedGlobal<uint8_t> locked(data);
        if (!locked.Get()) continue;
        snapshot.formats.push_back({format, std::vector<uint8_t>(locked.Get(), locked.Get() + size)});
    }
    return snapshot;
}

bool RestoreClipboardSnapshot(const ClipboardSnapshot& snapshot, HWND owner) {
    if (!snapshot.taken) return false;
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    EmptyClipboard();
    bool all = true;
    for (const ClipboardFormatData& saved : snapshot.formats) {
        GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, saved.bytes.empty() ? 1 : saved.bytes.size()));
        if (!memory) {
            all = false;
            continue;
        }
        {
            LockedGlobal<uint8_t> locked(memory.Get());
            if (!locked.Get()) {
                all = false;
                continue;
            }
            if (!saved.bytes.empty()) std::memcpy(locked.Get(), saved.bytes.data(), saved.bytes.size());
        }
        // Once the clipboard has taken the memory it is the clipboard's to free.
        if (SetClipboardData(saved.format, memory.Get())) {
            memory.Release();
        } else {
            all = false;
        }
    }
    return all;
}

bool ReadClipboardText(wchar_t* buffer, size_t capacity) {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    LockedGlobal<wchar_t> locked(data);
    if (!locked.Get()) return false;
    const size_t units = GlobalSize(data) / sizeof(wchar_t);
    CopyBounded(buffer, capacity, std::wstring_view(locked.Get(), BoundedLength(locked.Get(), units)));
    return true;
}
