#pragma once
// The registration dialog's template with a word list in it, created in the
// test process and published through the program's globals, so the word-list
// and group-file code runs on a real list view.
#include <windows.h>

#include <string>
#include <vector>

class WordListHost {
public:
    WordListHost();
    ~WordListHost();
    HWND Dialog() const { return dialog_; }
    HWND List() const { return list_; }

    void AddRow(const std::vector<std::wstring>& texts);  // appended, key = its index
    std::vector<std::wstring> Row(int row) const;
    std::vector<std::wstring> Terms() const;
    std::vector<int> SelectedRows() const;
    void Select(const std::vector<int>& rows);
    bool ApplyEnabled() const;
    bool MoveButtonsEnabled() const;

private:
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
};
