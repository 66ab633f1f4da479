#include "storage/settings_file.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string_view>
#include <vector>

#include "common/handles.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"

namespace {

constexpr int kPathUnits = 520;

// A settings file that was refused at start-up still holds the group names
// that lead to the group files; it is kept beside before it is replaced.
bool rejectedAtStart = false;
bool rejectedFileKept = false;

int Reject() {
    rejectedAtStart = true;
    return -1;
}

void BuildSettingsPath(wchar_t (&path)[kPathUnits]) {
    std::swprintf(path, kPathUnits, L"%lswordHaven.ini", kDataDirectoryPrefix);
}

// Reads exactly size bytes; a short read counts as a failure.
bool ReadExactly(HANDLE file, uint8_t* buffer, DWORD size) {
    DWORD read = 0;
    return ReadFile(file, buffer, size, &read, nullptr) && read == size;
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

int LoadSettingsFile() {
    wchar_t path[kPathUnits];
    BuildSettingsPath(path);
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return -1;
        return Reject();  // there, but not to be read now (another program holds it)
    }

    std::vector<uint8_t> image(kSettingsFileSize);
    const bool complete = GetFileSize(file.Get(), nullptr) == kSettingsFileSize &&
                          ReadExactly(file.Get(), image.data(), sizeof(AppSettings)) &&
                          ReadExactly(file.Get(), image.data() + sizeof(AppSettings), sizeof(ViewLayout));
    // A half-read image is never applied; the defaults stay in force.
    if (!complete) return Reject();
    file.Reset();

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

    wchar_t path[kPathUnits];
    BuildSettingsPath(path);
    if (rejectedAtStart && !rejectedFileKept && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        if (KeepCopyBeside(path, L".bad").empty()) return -1;
        rejectedFileKept = true;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return ReplaceFileContent(path, bytes) ? 0 : -1;
}
