#include "app/tray_icon.h"

#include <shellapi.h>

#include "app/search_site_menu.h"
#include "app/startup_shortcut.h"
#include "common/bounded_copy.h"
#include "common/handles.h"
#include "common/window_dpi.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

constexpr UINT kSiteMenuPosition = 2;  // after the glossary and find

// The small icon at the size of the display's scale (24 pixels at 150 %), drawn
// at that size rather than stretched by the shell.
HICON LoadTrayIcon(HWND mainWindow) {
    const int dpi = WindowDpi(mainWindow);
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, MetricForDpi(SM_CXSMICON, dpi),
                                         MetricForDpi(SM_CYSMICON, dpi), LR_DEFAULTCOLOR));
}

bool NotifyTrayIcon(HWND mainWindow, DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = mainWindow;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    // The shell keeps a copy of the picture, so the icon is ours to destroy.
    const IconHandle icon(LoadTrayIcon(mainWindow));
    data.hIcon = icon.Get();
    CopyBounded(data.szTip, UiText(Text::TrayTip));
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, Text name) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(UiText(name));
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

// The menu in the language of the moment, that language ticked. The
// language submenu reads the same in both, for a user who cannot read the other.
void SetMenuTexts(HMENU popup) {
    static constexpr struct {
        UINT command;
        Text name;
    } kItems[] = {{IDM_REGISTER, Text::TrayGlossary},
                  {IDM_FIND, Text::TrayFind},
                  {IDM_EXPORT, Text::TrayExport},
                  {IDM_START_WITH_WINDOWS, Text::TrayStartWithWindows},
                  {IDM_LANGUAGE_ENGLISH, Text::TrayEnglish},
                  {IDM_LANGUAGE_JAPANESE, Text::TrayJapanese},
                  {IDM_HELP, Text::TrayAbout},
                  {IDM_EXIT, Text::TrayExit}};
    for (const auto& item : kItems) SetMenuText(popup, item.command, FALSE, item.name);
    for (int n = 0; n < GetMenuItemCount(popup); ++n) {
        HMENU submenu = GetSubMenu(popup, n);
        if (submenu && GetMenuItemID(submenu, 0) == IDM_LANGUAGE_ENGLISH) SetMenuText(popup, n, TRUE, Text::TrayLanguage);
    }
    const UINT chosen = appSettings.languageIndex == kEnglish ? IDM_LANGUAGE_ENGLISH : IDM_LANGUAGE_JAPANESE;
    CheckMenuRadioItem(popup, IDM_LANGUAGE_ENGLISH, IDM_LANGUAGE_JAPANESE, chosen, MF_BYCOMMAND);
}

}  // namespace

bool AddTrayIcon(HWND mainWindow) { return NotifyTrayIcon(mainWindow, NIM_ADD); }

void RedrawTrayIcon(HWND mainWindow) { NotifyTrayIcon(mainWindow, NIM_MODIFY); }

void DeleteTrayIcon(HWND mainWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = mainWindow;
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void ShowTrayMenu(HWND mainWindow) {
    POINT cursor{};
    GetCursorPos(&cursor);
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    MenuHandle menu(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.Get(), 0);
    ReadSearchSites(mainWindow);  // the user may have edited the site file since
    InsertSiteMenu(popup, kSiteMenuPosition);
    SetMenuTexts(popup);
    CheckMenuItem(popup, IDM_START_WITH_WINDOWS, MF_BYCOMMAND | (StartupShortcutPresent() ? MF_CHECKED : MF_UNCHECKED));
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(mainWindow);
    TrackPopupMenu(popup, TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, mainWindow, nullptr);
    // The documented follow-up for a tray icon's menu: a harmless message switches tasks
    // back to us, without which Windows does not close menus as it should (the next one
    // opens and vanishes at once).
    PostMessageW(mainWindow, WM_NULL, 0, 0);
}
