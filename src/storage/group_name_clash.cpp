#include "storage/group_name_clash.h"

#include <string>
#include <string_view>

#include "common/bounded_copy.h"
#include "storage/group_file.h"

namespace {

bool LeadsToFileOfAnotherSlot(const AppSettings& settings, int slot, std::u16string_view name, int before) {
    for (int other = 0; other < before; ++other) {
        if (other != slot && SameGroupFile(name, settings.groupNames[other])) return true;
    }
    return false;
}

}  // namespace

std::vector<SeparatedSlot> SeparateSlotsSharingAFile(AppSettings& settings) {
    const AppSettings defaults = DefaultAppSettings();
    std::vector<SeparatedSlot> separated;
    for (int slot = 1; slot < kGroupSlotCount; ++slot) {
        const std::u16string name(settings.groupNames[slot]);
        if (!LeadsToFileOfAnotherSlot(settings, slot, name, slot)) continue;
        const std::u16string standard(defaults.groupNames[slot]);
        std::u16string candidate = standard;
        for (int n = 2; LeadsToFileOfAnotherSlot(settings, slot, candidate, kGroupSlotCount); ++n) {
            const std::string number = std::to_string(n);
            candidate = standard + u"-" + std::u16string(number.begin(), number.end());
        }
        CopyBounded(settings.groupNames[slot], std::u16string_view(candidate));
        separated.push_back({slot, name});
    }
    return separated;
}
