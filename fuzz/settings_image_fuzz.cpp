// Arbitrary bytes as a settings file: whatever it holds, the records taken
// from it keep every rule, and writing them and reading them back changes nothing.
#include "storage/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

void Take(const uint8_t* image) {
    appSettings = DefaultAppSettings();
    viewLayout = DefaultViewLayout();
    AppSettings settings{};
    ViewLayout layout{};
    ReadSettingsImage(image, settings, layout);
    ApplyAppSettings(settings);
    ApplyViewLayout(layout);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(kSettingsFileSize, 0);
    std::memcpy(image.data(), data, size < image.size() ? size : image.size());
    Take(image.data());
    Require(appSettings.groupSlotCount == kGroupSlotCount);
    Require(appSettings.currentGroup >= 0 && appSettings.currentGroup < kGroupSlotCount);
    Require(appSettings.languageIndex == 0 || appSettings.languageIndex == 1);
    for (const auto& name : appSettings.groupNames) {
        Require(name[kGroupNameUnits - 1] == u'\0');
    }
    for (int32_t count : appSettings.entryCounts) Require(count >= 0);
    for (int32_t state : viewLayout.sortStates) Require(state >= 0 && state <= 2);

    const AppSettings settings = appSettings;
    const ViewLayout layout = viewLayout;
    std::vector<uint8_t> again(kSettingsFileSize);
    WriteSettingsImage(settings, layout, again.data());
    Take(again.data());
    Require(std::memcmp(&appSettings, &settings, sizeof settings) == 0);
    Require(std::memcmp(&viewLayout, &layout, sizeof layout) == 0);
    return 0;
}
