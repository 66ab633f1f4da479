// Shows wordHaven's windows one after another on a sample glossary and saves
// each as a BMP: the registration dialog, the export dialog's file types, the edit dialog, the About dialog,
// the tray menu with its search sites, and the find window. Run under Wine by tools/screenshots.sh, at each display
// scale it asks for.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <string>

#include "storage/settings.h"
#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/windows_found.h"

namespace {

// Saves a rectangle of the screen as a BMP. A window given as `over` is copied
// from its own surface on top: under Wine a menu does not show in the screen's
// pixels at every display scale.
void SaveScreenRect(const RECT& r, const wchar_t* path, HWND over = nullptr, HWND overToo = nullptr) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    for (HWND shown : {over, overToo}) {
        if (!shown) continue;
        RECT o;
        GetWindowRect(shown, &o);
        HDC window = GetWindowDC(shown);
        BitBlt(memory, o.left - r.left, o.top - r.top, o.right - o.left, o.bottom - o.top, window, 0, 0, SRCCOPY);
        ReleaseDC(shown, window);
    }
    SelectObject(memory, previous);
    const DWORD stride = ((width * 3 + 3) & ~3);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * height), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    if (FILE* out = _wfopen(path, L"wb")) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, stride, height, out);
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void SaveWindow(HWND window, const wchar_t* path) {
    SetForegroundWindow(window);
    PumpFor(400);
    RECT r;
    GetWindowRect(window, &r);
    SaveScreenRect(r, path);
}

// Pixels of the 100 % pictures at the display's scale.
int dpi = 96;
int Scaled(int value) { return MulDiv(value, dpi, 96); }

}  // namespace

// The windows' captions, and the tray menu's key for Exit, in the language shown.
struct Words {
    const wchar_t* glossaryCaption;
    const wchar_t* exportCaption;
    const wchar_t* editCaption;
    const wchar_t* aboutCaption;
    const wchar_t* findCaption;
    wchar_t exitKey;
};
constexpr Words kJapanese{L"単語登録", L"書き出し", L"編集", L"ヘルプ", L"検索", L'e'};
constexpr Words kEnglish{L"Glossary", L"Export", L"Edit Entry", L"About wordHaven", L"Find", L'x'};

// A settings file of defaults in the given language, as the user's choice leaves it.
void WriteSettingsInLanguage(const std::wstring& folder, int languageIndex) {
    AppSettings settings = DefaultAppSettings();
    settings.languageIndex = languageIndex;
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    HANDLE file = CreateFileW((folder + L"\\wordHaven.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr);
    CloseHandle(file);
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring dataFolder = argv[1];
    const std::wstring outFolder = argv[2];
    // A third argument "en": the English windows.
    const bool english = argc > 3 && std::wstring(argv[3]) == L"en";
    const Words& words = english ? kEnglish : kJapanese;
    WriteSettingsInLanguage(dataFolder, english ? 0 : 1);
    // Aware of the scale, so the rectangles read are the pixels on screen.
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ProgramRun program(dataFolder);
    HWND main = WaitForMainWindow(program.ProcessId());
    HWND dialog = WaitForShownTopWindow(program.ProcessId(), L"#32770", words.glossaryCaption, 15000);
    if (!main || !dialog) return 1;
    MoveWindow(dialog, Scaled(60), Scaled(40), Scaled(900), Scaled(525), TRUE);
    SaveWindow(dialog, (outFolder + L"\\register-dialog.bmp").c_str());

    // 書き出し…: the Save As dialog with its choice of file types dropped down.
    PostMessageW(dialog, WM_COMMAND, 1250, 0);
    HWND saveAs = WaitForShownTopWindow(program.ProcessId(), L"#32770", words.exportCaption, 5000);
    if (!saveAs) return 1;
    MoveWindow(saveAs, Scaled(80), Scaled(60), Scaled(640), Scaled(420), TRUE);
    SetForegroundWindow(saveAs);
    PumpFor(400);
    HWND types = GetDlgItem(saveAs, 0x470);
    MoveWindow(saveAs, Scaled(80), Scaled(40), Scaled(640), Scaled(380), TRUE);
    PumpFor(200);
    // Room for all four types in the dropped list (after the dialog's own layout, which sizes it anew).
    RECT box;
    GetWindowRect(types, &box);
    MapWindowPoints(nullptr, saveAs, reinterpret_cast<POINT*>(&box), 2);
    MoveWindow(types, box.left, box.top, box.right - box.left, Scaled(160), FALSE);
    SendMessageW(types, CB_SETCURSEL, 0, 0);
    SetDlgItemTextW(saveAs, 0x47c, L"group01");
    SetDlgItemTextW(saveAs, 0x480, L"group01");
    SendMessageW(types, CB_SHOWDROPDOWN, TRUE, 0);
    PumpFor(400);
    RECT shown;
    GetWindowRect(saveAs, &shown);
    // The dropped list is a top-level window of the program's own.
    HWND dropped = nullptr;
    for (HWND w : TopWindowsOf(program.ProcessId(), L"ComboLBox", nullptr)) {
        if (IsWindowVisible(w)) dropped = w;
    }
    if (dropped) {
        RECT list;
        GetWindowRect(dropped, &list);
        const int rows = static_cast<int>(SendMessageW(dropped, LB_GETITEMHEIGHT, 0, 0)) * 4 + Scaled(4);
        if (list.bottom - list.top < rows) {
            SetWindowPos(dropped, nullptr, 0, 0, list.right - list.left, rows, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            PumpFor(300);
            GetWindowRect(dropped, &list);
        }
        shown.bottom = std::max(shown.bottom, list.bottom + Scaled(4));
        shown.right = std::max(shown.right, list.right + Scaled(4));
        SaveScreenRect(shown, (outFolder + L"\\export-dialog.bmp").c_str(), nullptr, dropped);
    } else {
        SaveScreenRect(shown, (outFolder + L"\\export-dialog.bmp").c_str());
    }
    SendMessageW(types, CB_SHOWDROPDOWN, FALSE, 0);
    PostMessageW(saveAs, WM_COMMAND, IDCANCEL, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", words.exportCaption);

    PostMessageW(dialog, WM_COMMAND, 1041, 0);  // New
    HWND edit = WaitForShownTopWindow(program.ProcessId(), L"#32770", words.editCaption, 5000);
    if (!edit) return 1;
    // An inflected term, its dictionary entries listed and the first one taken (Alt+1).
    SetDlgItemTextW(edit, 1044, L"読みかけの本で見た。");
    SetDlgItemTextW(edit, 1037, L"食べさせた");
    HWND found = GetDlgItem(edit, 1068);
    for (int wait = 0; wait < 200 && SendMessageW(found, LVM_GETITEMCOUNT, 0, 0) == 0; ++wait) PumpFor(50);
    SendMessageW(GetDlgItem(edit, 1037), WM_SYSKEYDOWN, '1', 1 << 29);
    PumpFor(200);
    SaveWindow(edit, (outFolder + L"\\edit-dialog.bmp").c_str());
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", words.editCaption);

    PostMessageW(main, WM_COMMAND, 32774, 0);  // ヘルプ
    HWND about = WaitForShownTopWindow(program.ProcessId(), L"#32770", words.aboutCaption, 5000);
    if (!about) return 1;
    SaveWindow(about, (outFolder + L"\\about-dialog.bmp").c_str());
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", words.aboutCaption);

    // The tray menu opens at the cursor, as on a right click on the icon.
    SetCursorPos(Scaled(1000), Scaled(900));
    PostMessageW(main, WM_APP + 1, 108, WM_RBUTTONDOWN);
    HWND menu = WaitForShownTopWindow(program.ProcessId(), L"#32768", nullptr, 5000);
    if (!menu) return 1;
    PumpFor(400);
    RECT r;
    GetWindowRect(menu, &r);
    const RECT around{r.left - Scaled(60), r.top - Scaled(30), r.right + Scaled(60), r.bottom + Scaled(30)};
    SaveScreenRect(around, (outFolder + L"\\tray-menu.bmp").c_str(), menu);
    // The search sites, one level down.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) {
        PostMessageW(main, WM_KEYDOWN, key, 0);
        PumpFor(150);
    }
    PumpFor(400);
    const std::vector<HWND> menus = TopWindowsOf(program.ProcessId(), L"#32768", nullptr);
    if (menus.size() == 2) {
        RECT sub;
        GetWindowRect(menus[0] == menu ? menus[1] : menus[0], &sub);
        const RECT both{std::min(r.left, sub.left) - Scaled(20), std::min(r.top, sub.top) - Scaled(20),
                        std::max(r.right, sub.right) + Scaled(20), std::max(r.bottom, sub.bottom) + Scaled(20)};
        SaveScreenRect(both, (outFolder + L"\\site-menu.bmp").c_str(), menu, menus[0] == menu ? menus[1] : menus[0]);
    }
    PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpFor(300);

    // Finding in the whole glossary.
    PostMessageW(main, WM_COMMAND, 32775, 0);  // 検索
    HWND find = WaitForShownTopWindow(program.ProcessId(), L"#32770", words.findCaption, 5000);
    if (!find) return 1;
    MoveWindow(find, Scaled(80), Scaled(60), Scaled(760), Scaled(360), TRUE);
    SendMessageW(GetDlgItem(find, 1061), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"こと"));
    SaveWindow(find, (outFolder + L"\\find-window.bmp").c_str());
    PostMessageW(find, WM_COMMAND, IDCANCEL, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", words.findCaption);

    PostMessageW(main, WM_APP + 1, 108, WM_RBUTTONDOWN);
    WaitForShownTopWindow(program.ProcessId(), L"#32768", nullptr, 5000);
    PumpFor(200);
    PostMessageW(main, WM_CHAR, words.exitKey, 0);  // Exit
    program.WaitForExit(10000);
    return 0;
}
