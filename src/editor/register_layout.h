#pragma once
// Where the registration dialog puts its list and buttons for a client size,
// at the DPI the dialog is shown at. Portable: no Windows headers.
#include "storage/settings.h"

struct ControlBox {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const ControlBox&) const = default;
};

struct RegisterLayout {
    ControlBox list;
    ControlBox newButton;
    ControlBox deleteButton;
    ControlBox moveUpButton;
    ControlBox moveDownButton;
    ControlBox exportButton;
    ControlBox okButton;
    ControlBox cancelButton;
    ControlBox applyButton;
};

RegisterLayout ArrangeRegisterDialog(int clientWidth, int clientHeight, int dpi);

// The rectangle the dialog opens at. A placement still at its default (a first
// start, or a settings file that was refused) is sized for the DPI, so the
// dialog shows the same layout at every scale; one the user left is kept.
Placement OpeningPlacement(const Placement& stored, const Placement& defaults, int dpi);
