#include "storage/settings_file.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string_view>
#include <vector>

#include "common/handles.h"
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

int Reject() {
    rejectedAtStart = true;
    return -1;
}

std::wstring SettingsPath() { return DataFilePath(reinterpret_cast<const wchar_t*>(kSettingsFileName)); }

bool IsHeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

enum class SettingsRead { Complete, Missing, Held, Unreadable };

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
    if (GetFileSize(file.Get(), nullptr) != kSettingsFileSize) return SettingsRead::Unreadable;
    DWORD read = 0;
    if (!ReadFile(file.Get(), image.data(), kSettingsFileSize, &read, nullptr)) {
        return IsHeldByAnother(GetLastError()) ? SettingsRead::Held : SettingsRead::Unreadable;
    }
    // A half-read image is never applied; the defaults stay in force.
    return read == kSettingsFileSize ? SettingsRead::Complete : SettingsRead::Unreadable;
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

void UseSystemMonitorQuery() { SetMonitorQuery(QueryNearestMonitor); }

int LoadSettingsFile(CutOffSave* cutOff) {
    const std::wstring settingsPath = SettingsPath();
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
        if (read != SettingsRead::Held || GetTickCount() - start >= kHeldRetryMilliseconds) return Reject();
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

    const std::wstring path = SettingsPath();
    if (rejectedAtStart && !rejectedFileKept && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (KeepCopyBeside(path, L".bad").empty()) return -1;
        rejectedFileKept = true;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return ReplaceFileContent(path, bytes) ? 0 : -1;
}
