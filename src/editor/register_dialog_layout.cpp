#include "editor/register_dialog_layout.h"

#include <algorithm>

#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "common/window_placement.h"
#include "editor/register_dialog.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "storage/settings.h"
#include "ui/control_text.h"
#include "ui/resource_ids.h"

namespace {

// Client width at the previous WM_SIZE, to tell growing from shrinking.
int previousClientWidth = 0;
// The DPI of the display the dialog is on: its layout is in pixels of this DPI.
int dialogDpi = kDesignDpi;

constexpr int kOwnLayoutButtons[] = {IDC_NEW, IDC_DELETE, IDC_MOVE_UP, IDC_MOVE_DOWN, IDOK, IDCANCEL, IDC_APPLY};

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

// Letters for Alt, underlined: set when the dialog opens (the template keeps
// its texts), a label given the room its longer text takes, up to the control it names.
void SetMnemonicCaptions(HWND dialog) {
    struct Caption {
        int id;
        const wchar_t* text;
        int namedControl;  // 0 for a button
    };
    static constexpr Caption kCaptions[] = {{IDC_GROUP_LABEL, L"グループ(&G):", IDC_GROUP_SELECTOR},
                                            {IDC_RENAME_LABEL, L"グループ名変更(&M):", IDC_RENAME},
                                            {IDC_NEW, L"新規(&N)", 0},
                                            {IDC_DELETE, L"削除(&D)", 0},
                                            {IDC_APPLY, L"適用(&A)", 0}};
    for (const Caption& caption : kCaptions) {
        HWND control = GetDlgItem(dialog, caption.id);
        SetWindowTextW(control, caption.text);
        if (!caption.namedControl) continue;
        const RECT r = RectInDialog(dialog, control);
        const LONG room = RectInDialog(dialog, GetDlgItem(dialog, caption.namedControl)).left - r.left;
        const LONG wanted = std::min<LONG>(ControlTextWidth(control), room);
        if (wanted > r.right - r.left) MoveWindow(control, r.left, r.top, wanted, r.bottom - r.top, TRUE);
    }
}

// Tab goes round the controls in the order they are used, not the template's;
// a label stands just before its control, where Alt and its letter lead.
void SetTabOrder(HWND dialog) {
    static constexpr int kOrder[] = {IDC_GROUP_LABEL, IDC_GROUP_SELECTOR, IDC_RENAME_LABEL, IDC_RENAME,
                                     kWordListId,     IDC_NEW,            IDC_DELETE,       IDC_MOVE_UP,
                                     IDC_MOVE_DOWN,   IDOK,               IDCANCEL,         IDC_APPLY};
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
