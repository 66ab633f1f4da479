#include "app/main_window.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "app/hotkey_queue.h"
#include "app/hotkeys.h"
#include "app/search_site_menu.h"
#include "app/startup_shortcut.h"
#include "app/tray_icon.h"
#include "common/window_placement.h"
#include "editor/export_dialog.h"
#include "editor/find_window.h"
#include "editor/register_dialog.h"
#include "editor/register_dialog_layout.h"
#include "storage/daily_backup.h"
#include "storage/dictionary_shelf.h"
#include "storage/session_end_notes.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/about_dialog.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

// Explorer broadcasts this after it restarts; every tray icon must be added again.
UINT taskbarCreatedMessage = 0;
bool hotkeysAttempted = false;
// While Windows ends the session the main window is about to go: what would
// be posted to it is told at once, into the notes for the next start.
bool savingForSessionEnd = false;

// A backup that failed during a save is told once the save is over.
constexpr UINT kTellBackupFailure = WM_APP + 2;
std::wstring failedBackupFile;

void TellBackupFailure() { ShowMessage(Message::BackupFailed, nullptr, failedBackupFile); }

void PostBackupFailure(const std::wstring& failedFile) {
    failedBackupFile = failedFile;
    if (savingForSessionEnd || !mainWindowHandle || !PostMessageW(mainWindowHandle, kTellBackupFailure, 0, 0)) {
        TellBackupFailure();
    }
}

void ToggleStartWithWindows(HWND window) {
    const bool done = StartupShortcutPresent() ? RemoveStartupShortcut() : CreateStartupShortcut();
    if (!done) ShowMessage(Message::StartupShortcutFailed, window, StartupShortcutPath());
}

// Written to the settings file at once, like every other setting; the open
// windows and the tray tip follow now, the modal dialogs at their next opening.
void SwitchLanguage(HWND window, int language) {
    if (appSettings.languageIndex == language) return;
    AppSettings settings = appSettings;
    settings.languageIndex = language;
    ApplyAppSettings(settings);
    SaveLayoutAndSettings(window);
    RedrawTrayIcon(window);
    if (registerDialogHandle) SetMnemonicCaptions(registerDialogHandle);
    ShowFindWindowTexts();
}

void SetUpTrayIconAndHotkeys(HWND window) {
    if (AddTrayIcon(window)) {
        hotkeysAttempted = true;
        RegisterHotkeys(window);
    }
}

LRESULT OnCreate(HWND window) {
    InitCommonControls();
    SetBackupFailureTeller(PostBackupFailure);
    ReadSearchSites(window);
    SetUpTrayIconAndHotkeys(window);
    OpenRegisterDialog(window);
    // On a thread of its own: the glossary is there at once, the dictionaries a moment later.
    RefreshDictionaries();
    return 0;
}

LRESULT OnTrayCallback(HWND window, WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId) return 0;
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        ShowRegisterDialog(window);
        break;
    case WM_RBUTTONDOWN:
        ShowTrayMenu(window);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnSiteCommand(window, LOWORD(wParam))) return 0;
    switch (LOWORD(wParam)) {
    case IDM_EXIT:
        if (ExportDialogOpen()) return 0;  // it is on screen, to be finished or cancelled first
        if (SettleUnsavedChangesBeforeExit()) DestroyWindow(window);
        return 0;
    case IDM_REGISTER:
        ShowRegisterDialog(window);
        return 0;
    case IDM_HELP:
        ShowAboutDialog(window);
        return 0;
    case IDM_FIND:
        OpenFindWindow(window);
        return 0;
    case IDM_EXPORT:
        ExportGlossary(window);
        return 0;
    case IDM_START_WITH_WINDOWS:
        ToggleStartWithWindows(window);
        return 0;
    case IDM_LANGUAGE_ENGLISH:
        SwitchLanguage(window, kEnglish);
        return 0;
    case IDM_LANGUAGE_JAPANESE:
        SwitchLanguage(window, kJapanese);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT OnSize(HWND window, WPARAM sizeType) {
    if (sizeType == SIZE_MINIMIZED) ShowWindow(window, SW_HIDE);
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnCloseOrDestroy(HWND window) {
    SaveLayoutAndSettings(window);
    RemoveTrayIconAndQuit(window);
    return 0;
}

// Another program asking the program to close: the user still decides about unsaved changes.
LRESULT OnClose(HWND window) {
    if (!SettleUnsavedChangesBeforeExit()) return 0;
    return OnCloseOrDestroy(window);
}

// A user who logs off or shuts Windows down without choosing Exit keeps their
// entries and settings. Windows ends the program soon after, so nothing waits
// on the user: what would have been shown is told at the next start.
void SaveForSessionEnd(HWND window) {
    if (savingForSessionEnd) return;
    savingForSessionEnd = true;
    // Shown by Windows beside the program while the session waits for it.
    const wchar_t* reason = UiText(Text::SavingForSessionEnd);
    const bool blocking = ShutdownBlockReasonCreate(window, reason) != FALSE;
    CollectMessagesInstead(true);
    SaveUnsavedChangesWithoutAsking();
    SaveLayoutAndSettings(window);
    CollectMessagesInstead(false);
    const std::wstring untold = TakeCollectedMessages();
    if (!untold.empty()) KeepSessionEndNotes(untold);
    if (blocking) ShutdownBlockReasonDestroy(window);
    savingForSessionEnd = false;
}

// Saved when asked already: a program may be ended without its WM_ENDSESSION.
LRESULT OnQueryEndSession(HWND window) {
    SaveForSessionEnd(window);
    return TRUE;
}

LRESULT OnEndSession(HWND window, WPARAM ending) {
    if (ending) SaveForSessionEnd(window);
    return 0;
}

LRESULT OnTaskbarCreated(HWND window) {
    if (hotkeysAttempted) {
        AddTrayIcon(window);
    } else {
        SetUpTrayIconAndHotkeys(window);
    }
    return 0;
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_WORDHAVEN));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDC_WORDHAVEN);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&wc);
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

void SaveLayoutAndSettings(HWND mainWindow) {
    ReadNormalPlacement(mainWindow, viewLayout.mainPlacement);
    // At exit the system has already destroyed the dialog, so this read
    // fails and the placement it recorded when it last closed stays.
    if (registerDialogHandle) ReadNormalPlacement(registerDialogHandle, viewLayout.registerPlacement);
    if (SaveSettingsFile() != 0) ShowMessage(Message::IniFileOpenFailed);
}

void RemoveTrayIconAndQuit(HWND mainWindow) {
    DeleteTrayIcon(mainWindow);
    PostQuitMessage(100);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case kTrayCallbackMessage:
        return OnTrayCallback(window, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(window, message, wParam, lParam);
    case WM_SIZE:
        return OnSize(window, wParam);
    case WM_PAINT:
        return OnPaint(window);
    case WM_CLOSE:
        return OnClose(window);
    case WM_DESTROY:
        PutBackClipboardsNow(window);
        return OnCloseOrDestroy(window);
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(window);
    case WM_ENDSESSION:
        return OnEndSession(window, wParam);
    case WM_HOTKEY:
        return OnHotkey(window, wParam);
    case kTellBackupFailure:
        TellBackupFailure();
        return 0;
    case WM_TIMER:
        if (OnCaptureTimer(window, wParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CLIPBOARDUPDATE:
        OnClipboardUpdate(window);
        return 0;
    case WM_DPICHANGED:
        // The hidden window is never shown, so only the tray icon follows the new scale.
        RedrawTrayIcon(window);
        return 0;
    default:
        if (message == taskbarCreatedMessage && message != 0) return OnTaskbarCreated(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
