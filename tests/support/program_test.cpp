#include "support/program_test.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "support/program_run.h"
#include "support/windows_found.h"

void ProgramTest::SetUp() { EndStrayPrograms(); }

void WriteText(const std::wstring& path, const std::string& bytes) { WriteFileBytes(path, {bytes.begin(), bytes.end()}); }

void WriteText(const std::wstring& path, const std::wstring& text) { WriteText(path, Ansi(text)); }

bool ApplyEnabled(const Session& session) { return IsWindowEnabled(session.Item(kApply)) != FALSE; }

AppSettings SettingsOnDisk(const std::wstring& path) {
    AppSettings settings{};
    ViewLayout layout{};
    const std::vector<uint8_t> image = ReadFileBytes(path);
    EXPECT_EQ(image.size(), kSettingsFileSize);
    if (image.size() == kSettingsFileSize) ReadSettingsImage(image.data(), settings, layout);
    return settings;
}

void WriteSettings(const std::wstring& path, const AppSettings& settings) {
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    WriteFileBytes(path, image);
}

namespace {

constexpr int kExportButton = 1250;
constexpr WPARAM kExportCommand = 32840;
constexpr int kFileNameCombo = 0x47c;  // cmb13 of the common file dialog
constexpr int kFileNameEdit = 0x480;   // edt1

}  // namespace

HWND OpenSaveAsBrowsedTo(Session& session, bool fromTray, const std::wstring& folder) {
    if (fromTray) {
        PostMessageW(session.Main(), WM_COMMAND, kExportCommand, 0);
    } else {
        session.PostCommand(kExportButton);
    }
    const DWORD process = session.Program().ProcessId();
    HWND dialog = WaitForShownTopWindow(process, L"#32770", L"書き出し", 10000);
    if (!dialog) return nullptr;
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (!name) name = GetDlgItem(dialog, kFileNameEdit);
    // A folder typed as the name and Save pressed: the dialog goes into it and stays open.
    Session::SendAndWait(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    Session::SendAndWait(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    PumpFor(300);
    return IsWindow(dialog) ? dialog : nullptr;
}

void CancelSaveAs(Session& session, HWND saveAs) {
    PostMessageW(saveAs, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(saveAs, IDCANCEL)));
    EXPECT_TRUE(WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"書き出し", 10000));
}

std::wstring StartupShortcutPath() {
    PWSTR startup = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &startup))) path = std::wstring(startup) + L"\\wordHaven.lnk";
    CoTaskMemFree(startup);
    return path;
}

std::wstring StartupShortcutStartFolder() {
    const std::wstring shortcut = StartupShortcutPath();
    if (!FileExists(shortcut)) return {};
    wchar_t folder[MAX_PATH] = {};
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ))) {
        link->GetWorkingDirectory(folder, MAX_PATH);
    }
    if (file) file->Release();
    if (link) link->Release();
    if (com) CoUninitialize();
    return folder;
}
