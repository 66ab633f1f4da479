#include "app/hotkeys.h"

#include "ui/message_box.h"

void RegisterHotkeys(HWND mainWindow) {
    struct Hotkey {
        int id;
        UINT key;
    };
    static constexpr Hotkey kHotkeys[] = {{kHotkeyWebSearch, 'W'}, {kHotkeyNewEntry, 'E'}, {kHotkeyRegister, 'R'}};
    for (const Hotkey& hotkey : kHotkeys) {
        if (!RegisterHotKey(mainWindow, hotkey.id, MOD_ALT, hotkey.key)) {
            ShowMessage(Message::HotkeySetupFailed, mainWindow);
            return;
        }
    }
}
