#include "editor/register_dialog_layout.h"

#include <algorithm>
#include <utility>

#include "app/app_globals.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "common/window_placement.h"
#include "editor/register_dialog.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "storage/settings.h"
#include "ui/control_text.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

// Client width at the previous WM_SIZE, to tell growing from shrinking.
int previousClientWidth = 0;
// The DPI of the display the dialog is on: its layout is in pixels of this DPI.
int dialogDpi = kDesignDpi;

constexpr int kOwnLayoutButtons[] = {IDC_NEW, IDC_DELETE, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_EXPORT, IDOK, IDCANCEL, IDC_APPLY};

// A first start at 150 % shows the layout of 100 %: the default size grows
// with the scale, and is moved back onto its monitor if it then reaches past it.
Placement OpeningRect() {
    const Placement& stored = viewLayout.registerPlacement;
    Placement p = OpeningPlacement(stored, DefaultViewLayout().registerPlacement, dialogDpi);
    if (p.width == stored.width && p.height == stored.height) return p;
    RECT r{p.left, p.top, p.left + p.width, p.top + p.height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& m = monitor.rcMonitor;
        p = ClampPlacementToMonitor(p, ScreenRect{m.left, m.top, m.right, m.bottom});
    }
    return p;
}

// The list and the buttons it moves follow its own rules at every scale.
void KeepOwnLayoutOnDpiChange(HWND dialog) {
    KeepDialogSizeOnDpiChange(dialog);
    KeepControlPlaceOnDpiChange(wordListHandle, true);
    for (int id : kOwnLayoutButtons) KeepControlPlaceOnDpiChange(GetDlgItem(dialog, id), false);
}

}  // namespace

void CreateExportButton(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    const ControlBox box = ArrangeRegisterDialog(client.right, client.bottom, dialogDpi).exportButton;
    HWND button = CreateWindowExW(0, L"BUTTON", UiText(Text::GlossaryExport), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, box.left,
                                  box.top, box.width, box.height, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EXPORT)), instanceHandle, nullptr);
    SendMessageW(button, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

namespace {

void MoveControl(HWND dialog, int id, const ControlBox& box) {
    MoveWindow(GetDlgItem(dialog, id), box.left, box.top, box.width, box.height, TRUE);
}

}  // namespace

void BeginRegisterDialogLayout(HWND dialog) { dialogDpi = WindowDpi(dialog); }

void PlaceRegisterDialog(HWND dialog) {
    KeepOwnLayoutOnDpiChange(dialog);
    const Placement p = OpeningRect();
    previousClientWidth = p.width;
    RestoreNormalPlacement(dialog, p);
}

// The texts of the language of the moment, with letters for Alt (the
// template keeps its own); a label is given the room its text takes, up to
// the control it names.
void SetMnemonicCaptions(HWND dialog) {
    SetWindowTextW(dialog, UiText(Text::GlossaryCaption));
    static constexpr ControlTextName kTexts[] = {
        {IDC_GROUP_LABEL, Text::GlossaryGroupLabel}, {IDC_RENAME_LABEL, Text::GlossaryRenameLabel},
        {IDC_NEW, Text::GlossaryNew},                {IDC_DELETE, Text::GlossaryDelete},
        {IDC_EXPORT, Text::GlossaryExport},          {IDC_APPLY, Text::GlossaryApply},
        {IDOK, Text::ButtonOk},                      {IDCANCEL, Text::ButtonCancel}};
    SetControlTexts(dialog, kTexts);
    for (const auto& [label, named] : {std::pair{IDC_GROUP_LABEL, IDC_GROUP_SELECTOR}, std::pair{IDC_RENAME_LABEL, IDC_RENAME}}) {
        WidenToText(dialog, GetDlgItem(dialog, label), RectInDialog(dialog, GetDlgItem(dialog, named)).left);
    }
    SetWordListTitles();
}

// Tab goes round the controls in the order they are used, not the template's;
// a label stands just before its control, where Alt and its letter lead.
void SetTabOrder(HWND dialog) {
    static constexpr int kOrder[] = {IDC_GROUP_LABEL, IDC_GROUP_SELECTOR, IDC_RENAME_LABEL, IDC_RENAME,
                                     kWordListId,     IDC_NEW,            IDC_DELETE,       IDC_MOVE_UP,
                                     IDC_MOVE_DOWN,   IDC_EXPORT,         IDOK,             IDCANCEL,
                                     IDC_APPLY};
    HWND previous = HWND_TOP;
    for (int id : kOrder) {
        HWND control = GetDlgItem(dialog, id);
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

void OnRegisterDialogDpiChanged(HWND dialog, int dpi, const RECT& suggested) {
    ChangeWordListDpi(dpi);
    dialogDpi = dpi;
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(dialog, &client);
    LayOutControls(dialog, client.right);
}

void LayOutControls(HWND dialog, int clientWidth) {
    if (!wordListHandle || GetParent(wordListHandle) != dialog) return;  // before initialisation
    const bool grown = clientWidth > previousClientWidth;
    previousClientWidth = clientWidth;
    RECT client;
    GetClientRect(dialog, &client);
    const RegisterLayout layout = ArrangeRegisterDialog(client.right - client.left, client.bottom - client.top, dialogDpi);
    const ControlBox& list = layout.list;
    MoveWindow(wordListHandle, list.left, list.top, list.width, list.height, TRUE);
    MoveControl(dialog, IDC_NEW, layout.newButton);
    MoveControl(dialog, IDC_DELETE, layout.deleteButton);
    MoveControl(dialog, IDC_MOVE_UP, layout.moveUpButton);
    MoveControl(dialog, IDC_MOVE_DOWN, layout.moveDownButton);
    MoveControl(dialog, IDC_EXPORT, layout.exportButton);
    // Moved away from the side they travel to first, so they never overlap on the way.
    if (grown) {
        MoveControl(dialog, IDC_APPLY, layout.applyButton);
        MoveControl(dialog, IDCANCEL, layout.cancelButton);
        MoveControl(dialog, IDOK, layout.okButton);
    } else {
        MoveControl(dialog, IDOK, layout.okButton);
        MoveControl(dialog, IDCANCEL, layout.cancelButton);
        MoveControl(dialog, IDC_APPLY, layout.applyButton);
    }
}
