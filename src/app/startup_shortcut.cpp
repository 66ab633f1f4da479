#include "app/startup_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "storage/data_folder.h"

namespace {

// COM for the length of one call; the program's thread may already have it.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

template <typename T>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() {
        if (p_) p_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    void** Out() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

std::wstring ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring StartFolder() {
    std::wstring folder = DataFolder();
    // "C:\data\" reads as "C:\data" in the shortcut's Start in, as Explorer writes it; "C:\" stays.
    if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool SameFolder(std::wstring a, std::wstring b) {
    for (std::wstring* folder : {&a, &b}) {
        while (folder->size() > 3 && folder->back() == L'\\') folder->pop_back();
    }
    return !a.empty() && SamePath(a, b);
}

bool CreateShellLink(ComPointer<IShellLinkW>& link) {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out()));
}

}  // namespace

std::wstring StartupShortcutPath() {
    PWSTR folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DEFAULT, nullptr, &folder))) {
        path = std::wstring(folder) + L"\\" + kStartupShortcutName;
    }
    CoTaskMemFree(folder);
    return path;
}

bool StartupShortcutPresent() {
    const std::wstring path = StartupShortcutPath();
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    ComScope com;
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (!CreateShellLink(link) || FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(path.c_str(), STGM_READ))) {
        return false;
    }
    wchar_t target[MAX_PATH * 2] = {};
    wchar_t startsIn[MAX_PATH * 2] = {};
    if (FAILED(link->GetPath(target, MAX_PATH * 2, nullptr, SLGP_RAWPATH)) ||
        FAILED(link->GetWorkingDirectory(startsIn, MAX_PATH * 2))) {
        return false;
    }
    // One shortcut for the user: it is ours only while it starts this program in this data folder.
    return SamePath(target, ThisProgram()) && SameFolder(startsIn, StartFolder());
}

bool CreateStartupShortcut() {
    const std::wstring path = StartupShortcutPath();
    const std::wstring program = ThisProgram();
    const std::wstring folder = StartFolder();
    if (path.empty() || program.empty() || folder.empty()) return false;
    ComScope com;
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (!CreateShellLink(link)) return false;
    return SUCCEEDED(link->SetPath(program.c_str())) && SUCCEEDED(link->SetWorkingDirectory(folder.c_str())) &&
           SUCCEEDED(link->SetDescription(L"wordHaven")) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

bool RemoveStartupShortcut() {
    const std::wstring path = StartupShortcutPath();
    if (path.empty()) return false;
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
