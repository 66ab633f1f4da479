#include "support/remote_list.h"

#include <commctrl.h>

namespace {
constexpr size_t kTextUnits = 4000;
constexpr size_t kRemoteSize = sizeof(LVITEMW) + kTextUnits * sizeof(wchar_t);
}  // namespace

RemoteList::RemoteList(HWND list) : list_(list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) remote_ = VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE);
}

RemoteList::~RemoteList() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

int RemoteList::RowCount() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring RemoteList::Text(int row, int column) const {
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<BYTE*>(remote_) + sizeof(LVITEMW));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(kTextUnits);
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    const auto length = SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote_));
    std::wstring text(static_cast<size_t>(length), L'\0');
    if (length > 0) ReadProcessMemory(process_, remoteText, text.data(), length * sizeof(wchar_t), nullptr);
    return text;
}

void RemoteList::Select(const std::vector<int>& rows) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote_));
    item.state = LVIS_SELECTED;
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    for (int row : rows) SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote_));
}

RECT RemoteList::RowOnScreen(int row) const {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    WriteProcessMemory(process_, remote_, &rect, sizeof rect, nullptr);
    SendMessageW(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote_));
    ReadProcessMemory(process_, remote_, &rect, sizeof rect, nullptr);
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
