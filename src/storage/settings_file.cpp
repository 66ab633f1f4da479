#include "storage/settings_file.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string_view>
#include <vector>

#include "common/handles.h"
#include "common/win32_text.h"
#include "storage/data_folder.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"

namespace {

constexpr DWORD kHeldRetryMilliseconds = 1000;
constexpr DWORD kHeldRetryPause = 50;

// A settings file that was refused at start-up still holds the group names
// that lead to the group files; it is kept beside before it is replaced.
bool rejectedAtStart = false;
bool rejectedFileKept = false;
bool unreadableAtStart = false;

int Reject() {
    rejectedAtStart = true;
    return -1;
}

int LeaveUnread() {
    unreadableAtStart = true;
    return -1;
}

bool IsHeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Damaged: the file was read and is no settings image. Unreadable: what it
// holds is unknown, so it may still be a good one.
enum class SettingsRead { Complete, Missing, Held, Unreadable, Damaged };

// The whole image, or why not. Every kind of sharing is allowed, so a tool
// that has the file open for writing does not keep it from being read.
SettingsRead ReadSettingsBytes(const wchar_t* path, std::vector<uint8_t>& image) {
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return SettingsRead::Missing;
        return IsHeldByAnother(error) ? SettingsRead::Held : SettingsRead::Unreadable;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return SettingsRead::Unreadable;
    if (size.QuadPart != kSettingsFileSize) return SettingsRead::Damaged;
    DWORD read = 0;
    if (!ReadFile(file.Get(), image.data(), kSettingsFileSize, &read, nullptr)) {
        return IsHeldByAnother(GetLastError()) ? SettingsRead::Held : SettingsRead::Unreadable;
    }
    // A half-read image is never applied; the defaults stay in force.
    return read == kSettingsFileSize ? SettingsRead::Complete : SettingsRead::Damaged;
}

ScreenRect QueryNearestMonitor(const ScreenRect& window) {
    auto clampToLong = [](int64_t v) -> LONG {
        return static_cast<LONG>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    };
    const RECT rect{clampToLong(window.left), clampToLong(window.top), clampToLong(window.right),
                    clampToLong(window.bottom)};
    HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return window;
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace

bool SettingsFileRefused() { return rejectedAtStart; }

bool SettingsFileUnreadable() { return unreadableAtStart; }

std::wstring SettingsFilePath() { return DataFilePath(AsWide(kSettingsFileName)); }

void UseSystemMonitorQuery() { SetMonitorQuery(QueryNearestMonitor); }

int LoadSettingsFile(CutOffSave* cutOff) {
    rejectedAtStart = unreadableAtStart = false;
    const std::wstring settingsPath = SettingsFilePath();
    const wchar_t* path = settingsPath.c_str();
    std::vector<uint8_t> image(kSettingsFileSize);
    const DWORD start = GetTickCount();
    for (;;) {
        const SettingsRead read = ReadSettingsBytes(path, image);
        if (read == SettingsRead::Complete) break;
        if (read == SettingsRead::Missing) {
            if (cutOff) *cutOff = FindCutOffSave(path);
            return -1;
        }
        // A sync or backup tool may hold the file for a moment as the program
        // starts; no window exists yet, so a short wait here keeps nobody waiting.
        if (read == SettingsRead::Damaged) return Reject();
        if (read == SettingsRead::Unreadable || GetTickCount() - start >= kHeldRetryMilliseconds) return LeaveUnread();
        Sleep(kHeldRetryPause);
    }

    RemoveLeftTemporaries(settingsPath);
    AppSettings settings{};
    ViewLayout layout{};
    ReadSettingsImage(image.data(), settings, layout);
    ApplyAppSettings(settings);
    ApplyViewLayout(layout);
    return 0;
}

int SaveSettingsFile() {
    const AppSettings settings = appSettings;
    const ViewLayout layout = viewLayout;
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, layout, image.data());

    // Left as it was found: it may hold every group name, which this run never saw.
    if (unreadableAtStart) return 0;
    const std::wstring path = SettingsFilePath();
    if (rejectedAtStart && !rejectedFileKept && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (KeepCopyBeside(path, L".bad").empty()) return -1;
        rejectedFileKept = true;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return ReplaceFileContent(path, bytes) ? 0 : -1;
}
