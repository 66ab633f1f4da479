#include "support/word_list_host.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "ui/resource_ids.h"

namespace {
INT_PTR CALLBACK InertDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
}  // namespace

WordListHost::WordListHost() {
    instanceHandle = GetModuleHandleW(nullptr);
    InitCommonControls();
    dialog_ = CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_REGISTER), nullptr, InertDialog, 0);
    list_ = CreateWordList(dialog_);
    registerDialogHandle = dialog_;
    wordListHandle = list_;
}

WordListHost::~WordListHost() {
    DestroyWindow(dialog_);
    registerDialogHandle = nullptr;
    wordListHandle = nullptr;
}

void WordListHost::AddRow(const std::vector<std::wstring>& texts) {
    const int row = ListRowCount(list_);
    ListInsertRow(list_, row, texts[0].c_str(), row);
    for (size_t column = 1; column < texts.size(); ++column) ListSetText(list_, row, static_cast<int>(column), texts[column].c_str());
}

std::vector<std::wstring> WordListHost::Row(int row) const {
    std::vector<std::wstring> texts;
    for (int column = 0; column < 4; ++column) texts.push_back(ListGetText(list_, row, column, kEntryTextUnits));
    return texts;
}

std::vector<std::wstring> WordListHost::Terms() const {
    std::vector<std::wstring> terms;
    for (int row = 0; row < ListRowCount(list_); ++row) terms.push_back(ListGetText(list_, row, 0, kEntryTextUnits));
    return terms;
}

std::vector<int> WordListHost::SelectedRows() const {
    std::vector<int> rows;
    for (int row = ListNextRow(list_, -1, LVNI_SELECTED); row != -1; row = ListNextRow(list_, row, LVNI_SELECTED)) rows.push_back(row);
    return rows;
}

void WordListHost::Select(const std::vector<int>& rows) {
    ListSetState(list_, -1, 0, LVIS_SELECTED);
    for (int row : rows) ListSetState(list_, row, LVIS_SELECTED, LVIS_SELECTED);
}

bool WordListHost::ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(dialog_, IDC_APPLY)) != FALSE; }

bool WordListHost::MoveButtonsEnabled() const {
    const bool up = IsWindowEnabled(GetDlgItem(dialog_, IDC_MOVE_UP)) != FALSE;
    const bool down = IsWindowEnabled(GetDlgItem(dialog_, IDC_MOVE_DOWN)) != FALSE;
    return up && down;
}
