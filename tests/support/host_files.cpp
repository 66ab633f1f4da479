#include "support/host_files.h"

#include <windows.h>

#include "support/test_folder.h"
#include "support/windows_found.h"

std::string UnixNameOf(const std::wstring& path) {
    using UnixName = char* (*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    std::string copy = name;
    HeapFree(GetProcessHeap(), 0, name);
    return copy;
}

bool StartOnHost(const std::wstring& program, const std::vector<std::string>& arguments) {
    std::wstring command = L"\"" + program + L"\"";
    for (const std::string& argument : arguments) command += L" \"" + Widen(argument) + L"\"";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

HostLink::HostLink(const std::wstring& target, const std::wstring& link) : link_(link) {
    const std::string unixTarget = UnixNameOf(target), unixLink = UnixNameOf(link);
    made_ = !unixTarget.empty() && !unixLink.empty() && StartOnHost(L"Z:\\bin\\ln", {"-s", unixTarget, unixLink}) &&
            PollUntil([&] { return FileExists(link); }, 5000);
}

HostLink::~HostLink() {
    const std::string unixLink = UnixNameOf(link_);
    if (!unixLink.empty() && StartOnHost(L"Z:\\bin\\rm", {"-f", unixLink})) {
        PollUntil([&] { return !FileExists(link_); }, 5000);
    }
}

std::wstring ReachedPathOf(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    wchar_t reached[MAX_PATH * 2] = {};
    const DWORD length = GetFinalPathNameByHandleW(file, reached, MAX_PATH * 2, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    const std::wstring full(reached, length);
    return full.compare(0, 4, L"\\\\?\\") == 0 ? full.substr(4) : full;
}
