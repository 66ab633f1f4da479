#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A DIALOGEX resource read back field by field, to compare with what the
// program's dialogs rely on.
struct DialogItem {
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::wstring className;  // ordinals given by name: Button, Edit, Static, ComboBox, ...
    std::wstring text;
    int textOrdinal;  // resource number when the text is one, else -1
};

struct DialogTemplate {
    bool extended = false;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu, windowClass, title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Reads the dialog resource of the given number and language from a module.
bool LoadDialogTemplate(HMODULE module, int id, WORD language, DialogTemplate& out);
