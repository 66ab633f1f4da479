#pragma once
// The two records the program remembers between runs, their defaults, the
// validating apply operations and the byte image of the settings file.
// Portable: no Windows headers.
#include <cstddef>
#include <cstdint>

inline constexpr int kGroupSlotCount = 64;
inline constexpr int kGroupNameUnits = 128;  // terminator included
inline constexpr int kColumnCount = 4;
inline constexpr int32_t kMaxEntryCount = 20000;
inline constexpr int kSortStateStored = 0;
inline constexpr int kSortStateAscending = 1;
inline constexpr int kSortStateDescending = 2;

struct Placement {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct AppSettings {
    int32_t groupSlotCount;
    char16_t groupNames[kGroupSlotCount][kGroupNameUnits];
    int32_t reservedValue;
    int32_t currentGroup;
    int32_t entryCounts[kGroupSlotCount];
    int32_t languageIndex;
    uint8_t reserved[56];
};

struct ViewLayout {
    Placement mainPlacement;
    Placement registerPlacement;
    int32_t sortStates[kGroupSlotCount];
    int32_t columnWidths[kGroupSlotCount][kColumnCount];
    uint8_t reserved[56];
};

static_assert(sizeof(Placement) == 16);
static_assert(sizeof(AppSettings) == 16712);
static_assert(offsetof(AppSettings, groupNames) == 4);
static_assert(offsetof(AppSettings, reservedValue) == 16388);
static_assert(offsetof(AppSettings, currentGroup) == 16392);
static_assert(offsetof(AppSettings, entryCounts) == 16396);
static_assert(offsetof(AppSettings, languageIndex) == 16652);
static_assert(offsetof(AppSettings, reserved) == 16656);
static_assert(sizeof(ViewLayout) == 1368);
static_assert(offsetof(ViewLayout, registerPlacement) == 16);
static_assert(offsetof(ViewLayout, sortStates) == 32);
static_assert(offsetof(ViewLayout, columnWidths) == 288);
static_assert(offsetof(ViewLayout, reserved) == 1312);

// The settings file's name in the data folder.
inline constexpr char16_t kSettingsFileName[] = u"wordHaven.ini";
inline constexpr std::size_t kSettingsFileSize = sizeof(AppSettings) + sizeof(ViewLayout);
static_assert(kSettingsFileSize == 18080);

AppSettings DefaultAppSettings();
ViewLayout DefaultViewLayout();

// The live records: one each for the whole process, holding the defaults
// until the settings file is loaded.
extern AppSettings appSettings;
extern ViewLayout viewLayout;

// Copies the acceptable fields of candidate into the live record. Always 0.
int ApplyAppSettings(const AppSettings& candidate);
int ApplyViewLayout(const ViewLayout& candidate);

// Screen rectangle with exclusive right and bottom, as the monitor query gives it.
struct ScreenRect {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
};

// Full rectangle of the monitor nearest to a window rectangle. The default
// answers with the window rectangle itself, which clamps nothing; the Windows
// build installs the real query at start-up, tests install their own.
using MonitorQuery = ScreenRect (*)(const ScreenRect& window);
void SetMonitorQuery(MonitorQuery query);

// Moves a placement onto the monitor rectangle without changing its size.
Placement ClampPlacementToMonitor(const Placement& placement, const ScreenRect& monitor);

// The settings file is the image of AppSettings followed by ViewLayout,
// little-endian, with both reserved tails written as zero.
void WriteSettingsImage(const AppSettings& settings, const ViewLayout& layout, uint8_t* image);
void ReadSettingsImage(const uint8_t* image, AppSettings& settings, ViewLayout& layout);
