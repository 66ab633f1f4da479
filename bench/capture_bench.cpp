// Times what a capture adds to the hotkey's fixed waits on clipboards of
// different sizes: the snapshot of the user's clipboard before the copy and
// putting it back afterwards (reading the copied selection is timed apart,
// on the same clipboard, as if the selection were that large). The clipboard is filled by a child
// process, as another program would fill it. Run under Wine by `make bench`.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/clipboard.h"

namespace {

constexpr size_t kMegabyte = 1u << 20;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Content {
    const char* name;
    size_t textBytes;
    size_t otherBytes;  // a DIB-sized block in a format of its own
};

const Content kContents[] = {
    {"1 KB text", 1024, 0},
    {"50 MB text", 50 * kMegabyte, 0},
    {"1 KB text + 50 MB image", 1024, 50 * kMegabyte},
    {"1 KB text + 200 MB image", 1024, 200 * kMegabyte},
};

void PutBlock(UINT format, size_t bytes, uint8_t fill) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    auto* data = static_cast<uint8_t*>(GlobalLock(memory));
    std::memset(data, fill, bytes);
    if (format == CF_UNICODETEXT) {
        for (size_t i = 0; i + 1 < bytes; i += 2) data[i + 1] = 0x30;  // kana, not NUL
        data[bytes - 2] = data[bytes - 1] = 0;
    }
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
}

// The child: fills the clipboard and ends, leaving the data on it.
int Fill(const Content& content) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner)) return 1;
    EmptyClipboard();
    if (content.otherBytes) PutBlock(RegisterClipboardFormatW(L"wordHaven bench image"), content.otherBytes, 0x7F);
    PutBlock(CF_UNICODETEXT, content.textBytes, 0x42);
    CloseClipboard();
    return 0;
}

bool FillFromChild(int index) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(path) + L"\" fill " + std::to_wstring(index);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"fill") return Fill(kContents[_wtoi(argv[2])]);

    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    std::printf("%-26s | %11s %9s %10s %9s | %8s\n", "clipboard", "snapshot ms", "read ms", "restore ms",
                "total ms", "kept MB");
    for (int i = 0; i < static_cast<int>(std::size(kContents)); ++i) {
        if (!FillFromChild(i)) {
            std::printf("%-26s | could not fill the clipboard\n", kContents[i].name);
            continue;
        }
        double start = Now();
        const ClipboardSnapshot snapshot = TakeClipboardSnapshot();
        const double taken = Now() - start;

        std::vector<wchar_t> text(1024);
        DWORD sequence = 0;
        start = Now();
        ReadClipboardText(text.data(), text.size(), sequence);
        const double read = Now() - start;

        start = Now();
        RestoreClipboardSnapshot(snapshot, owner);
        const double restored = Now() - start;

        size_t kept = 0;
        for (const ClipboardFormatData& f : snapshot.formats) kept += f.bytes.size();
        std::printf("%-26s | %11.1f %9.1f %10.1f %9.1f | %8.1f\n", kContents[i].name, taken * 1e3, read * 1e3,
                    restored * 1e3, (taken + read + restored) * 1e3, static_cast<double>(kept) / kMegabyte);
        std::fflush(stdout);
    }
    return 0;
}
