#include "app/app.h"

#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/main_window.h"
#include "common/win32_text.h"
#include "editor/find_window.h"
#include "editor/register_dialog.h"
#include "storage/data_folder.h"
#include "storage/group_name_clash.h"
#include "storage/session_end_notes.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

namespace {

// Said before any window exists, so owned by none.
void TellWhatTheDataFilesHold() {
    if (SettingsFileRefused()) ShowMessage(Message::IniFileOpenFailed);
    if (SettingsFileUnreadable()) ShowMessage(Message::SettingsFileUnreadable, nullptr, SettingsFilePath());

    AppSettings settings = appSettings;
    const std::vector<SeparatedSlot> separated = SeparateSlotsSharingAFile(settings);
    if (!separated.empty()) {
        ApplyAppSettings(settings);
        std::wstring list;
        for (const SeparatedSlot& s : separated) {
            if (!list.empty()) list += L"\n";
            list += AsWide(s.formerName.c_str()) + std::wstring(L" → ") + AsWide(settings.groupNames[s.slot]);
        }
        ShowMessage(Message::GroupNamesShareFile, nullptr, list);
    }

    const std::wstring untold = TakeSessionEndNotes();
    if (!untold.empty()) ShowMessage(Message::SessionEndNotes, nullptr, untold);
}

}  // namespace

int RunWordHaven(HINSTANCE instance) {
    instanceHandle = instance;
    linkCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND));

    // Runs before the settings are read, so this message is always Japanese.
    if (HWND running = FindWindowW(kMainWindowClass, kMainWindowTitle)) {
        // The running program brings its glossary to the front for the user who looked for it here.
        DWORD runningProcess = 0;
        GetWindowThreadProcessId(running, &runningProcess);
        AllowSetForegroundWindow(runningProcess);
        PostMessageW(running, WM_COMMAND, IDM_REGISTER, 0);
        ShowMessage(Message::AlreadyRunning);
        return 0;
    }

    // Before anything reads a file: dialogs may move the current directory later.
    FixDataFolder();
    UseSystemMonitorQuery();
    CutOffSave cutOff;
    LoadSettingsFile(&cutOff);
    if (!cutOff.left.empty()) ShowMessage(Message::CutOffSaveFound, nullptr, cutOff.file + L"\n" + cutOff.left);
    TellWhatTheDataFilesHold();

    if (!RegisterMainWindowClass(instance)) {
        ShowMessage(Message::WindowClassFailed);
        return -1;
    }
    HWND window = CreateMainWindow(instance);
    if (!window) return -1;
    mainWindowHandle = window;
    ShowWindow(window, SW_HIDE);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateRegisterDialogKey(message)) continue;
        if (findWindowHandle && IsDialogMessageW(findWindowHandle, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
