#pragma once
// Two group slots whose names lead to one file (letter case aside) would
// each overwrite the other's entries: an older or hand-edited settings file
// can hold such names.
#include <string>
#include <vector>

#include "storage/settings.h"

struct SeparatedSlot {
    int slot;
    std::u16string formerName;
};

// Every later slot whose name leads to an earlier slot's file takes its own
// default name (made unique if need be); what was changed, in slot order.
std::vector<SeparatedSlot> SeparateSlotsSharingAFile(AppSettings& settings);
