#pragma once
// The word list of a running wordHaven.exe, read and selected from another
// process: the list-view structures are placed in that process's memory.
#include <windows.h>

#include <string>
#include <vector>

class RemoteList {
public:
    explicit RemoteList(HWND list);
    ~RemoteList();
    int RowCount() const;
    std::wstring Text(int row, int column) const;
    void Select(const std::vector<int>& rows) const;
    // A row's rectangle in screen coordinates.
    RECT RowOnScreen(int row) const;

private:
    HWND list_;
    HANDLE process_ = nullptr;
    void* remote_ = nullptr;  // an LVITEMW followed by a text buffer
};
