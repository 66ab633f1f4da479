#include "app/tray_icon.h"

#include <shellapi.h>

#include "app/search_site_menu.h"
#include "common/bounded_copy.h"
#include "common/handles.h"
#include "ui/resource_ids.h"

namespace {
constexpr UINT kSiteMenuPosition = 2;  // after 登録 and 検索
}  // namespace

bool AddTrayIcon(HWND mainWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = mainWindow;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    // The small image of the icon, so the shell need not shrink the large one.
    data.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    CopyBounded(data.szTip, L"Word Haven");
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

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
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(mainWindow);
    TrackPopupMenu(popup, TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, mainWindow, nullptr);
    // The documented follow-up for a tray icon's menu: a harmless message switches tasks
    // back to us, without which Windows does not close menus as it should (the next one
    // opens and vanishes at once).
    PostMessageW(mainWindow, WM_NULL, 0, 0);
}
