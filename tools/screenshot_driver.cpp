// Shows wordHaven's windows one after another on a sample glossary and saves
// each as a BMP: the registration dialog, the edit dialog, the About dialog
// and the tray menu. Run under Wine by tools/screenshots.sh.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/windows_found.h"

namespace {

void SaveScreenRect(const RECT& r, const wchar_t* path) {
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring dataFolder = argv[1];
    const std::wstring outFolder = argv[2];
    ProgramRun program(dataFolder);
    HWND main = WaitForMainWindow(program.ProcessId());
    HWND dialog = WaitForRegisterDialog(program.ProcessId());
    if (!main || !dialog) return 1;
    MoveWindow(dialog, 60, 40, 900, 525, TRUE);
    SaveWindow(dialog, (outFolder + L"\\register-dialog.bmp").c_str());

    PostMessageW(dialog, WM_COMMAND, 1041, 0);  // New
    HWND edit = WaitForShownTopWindow(program.ProcessId(), L"#32770", L"編集", 5000);
    if (!edit) return 1;
    SetDlgItemTextW(edit, 1037, L"栞");
    SetDlgItemTextW(edit, 1040, L"しおり");
    SetDlgItemTextW(edit, 1042, L"shiori");
    SetDlgItemTextW(edit, 1044, L"読みかけの本に挟んで目印にするもの。\r\nA bookmark.");
    SaveWindow(edit, (outFolder + L"\\edit-dialog.bmp").c_str());
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", L"編集");

    PostMessageW(main, WM_COMMAND, 32774, 0);  // ヘルプ
    HWND about = WaitForShownTopWindow(program.ProcessId(), L"#32770", L"ヘルプ", 5000);
    if (!about) return 1;
    SaveWindow(about, (outFolder + L"\\about-dialog.bmp").c_str());
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    WaitForNoTopWindow(program.ProcessId(), L"#32770", L"ヘルプ");

    // The tray menu opens at the cursor, as on a right click on the icon.
    SetCursorPos(1150, 990);
    PostMessageW(main, WM_APP + 1, 108, WM_RBUTTONDOWN);
    HWND menu = WaitForShownTopWindow(program.ProcessId(), L"#32768", nullptr, 5000);
    if (!menu) return 1;
    PumpFor(400);
    RECT r;
    GetWindowRect(menu, &r);
    const RECT around{r.left - 60, r.top - 30, r.right + 60, r.bottom + 30};
    SaveScreenRect(around, (outFolder + L"\\tray-menu.bmp").c_str());
    PostMessageW(main, WM_CHAR, L'e', 0);  // 終了
    program.WaitForExit(10000);
    return 0;
}
