#include "editor/register_layout.h"

#include "common/dpi_scale.h"

RegisterLayout ArrangeRegisterDialog(int clientWidth, int clientHeight, int dpi) {
    auto s = [dpi](int value) { return ScaleToDpi(value, dpi); };
    const int w = clientWidth;
    const int h = clientHeight;
    const int sideLeft = w - s(150);
    const int bottomTop = h - s(40);
    RegisterLayout layout{};
    layout.list = {s(20), s(50), w - s(185), h - s(105)};
    layout.newButton = {sideLeft, s(70), s(140), s(30)};
    layout.deleteButton = {sideLeft, s(110), s(140), s(30)};
    layout.moveUpButton = {sideLeft, s(150), s(140), s(30)};
    layout.moveDownButton = {sideLeft, s(190), s(140), s(30)};
    layout.exportButton = {s(20), bottomTop, s(120), s(25)};  // under the list, apart from the buttons that change it
    layout.okButton = {w - s(270), bottomTop, s(80), s(25)};
    layout.cancelButton = {w - s(180), bottomTop, s(80), s(25)};
    layout.applyButton = {w - s(90), bottomTop, s(80), s(25)};
    return layout;
}

Placement OpeningPlacement(const Placement& stored, const Placement& defaults, int dpi) {
    const bool isDefault = stored.left == defaults.left && stored.top == defaults.top &&
                           stored.width == defaults.width && stored.height == defaults.height;
    if (!isDefault) return stored;
    return {stored.left, stored.top, ScaleToDpi(stored.width, dpi), ScaleToDpi(stored.height, dpi)};
}
