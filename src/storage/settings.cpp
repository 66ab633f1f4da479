#include "storage/settings.h"

#include <cstring>

namespace {

ScreenRect WindowRectAsMonitor(const ScreenRect& window) { return window; }

MonitorQuery monitorQuery = WindowRectAsMonitor;

// Acceptance bounds written as 0 <= value <= max are tested unsigned, so a
// negative stored value is refused like a too-large one.
bool WithinUnsigned(int32_t value, uint32_t max) { return static_cast<uint32_t>(value) <= max; }

ScreenRect ToRect(const Placement& p) {
    return {p.left, p.top, int64_t{p.left} + p.width, int64_t{p.top} + p.height};
}

void PutInt32(uint8_t*& out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) *out++ = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const uint8_t*& in) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= uint32_t{*in++} << (8 * i);
    return static_cast<int32_t>(bits);
}

void PutPlacement(uint8_t*& out, const Placement& p) {
    PutInt32(out, p.left);
    PutInt32(out, p.top);
    PutInt32(out, p.width);
    PutInt32(out, p.height);
}

Placement GetPlacement(const uint8_t*& in) {
    Placement p{};
    p.left = GetInt32(in);
    p.top = GetInt32(in);
    p.width = GetInt32(in);
    p.height = GetInt32(in);
    return p;
}

}  // namespace

AppSettings DefaultAppSettings() {
    AppSettings s{};
    s.groupSlotCount = kGroupSlotCount;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        const int number = slot + 1;
        const char16_t name[] = {u'g', u'r', u'o', u'u', u'p', static_cast<char16_t>(u'0' + number / 10),
                                 static_cast<char16_t>(u'0' + number % 10), 0};
        std::memcpy(s.groupNames[slot], name, sizeof name);
    }
    s.reservedValue = 1;
    s.currentGroup = 0;
    s.languageIndex = 1;
    return s;
}

ViewLayout DefaultViewLayout() {
    ViewLayout v{};
    v.mainPlacement = {100, 100, 1000, 1000};
    v.registerPlacement = {150, 150, 900, 525};
    for (auto& widths : v.columnWidths) {
        widths[0] = 100;
        widths[1] = 50;
        widths[2] = 50;
        widths[3] = 460;
    }
    return v;
}

AppSettings appSettings = DefaultAppSettings();
ViewLayout viewLayout = DefaultViewLayout();

int ApplyAppSettings(const AppSettings& candidate) {
    appSettings.groupSlotCount = kGroupSlotCount;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        char16_t* live = appSettings.groupNames[slot];
        const char16_t* name = candidate.groupNames[slot];
        int n = 0;
        while (n < kGroupNameUnits && name[n] != 0) {
            live[n] = name[n];
            ++n;
        }
        // A slot stored without a terminator is cut to the 127 units that fit.
        live[n < kGroupNameUnits ? n : kGroupNameUnits - 1] = 0;
    }
    if (WithinUnsigned(candidate.currentGroup, kGroupSlotCount - 1)) {
        appSettings.currentGroup = candidate.currentGroup;
    }
    appSettings.reservedValue = candidate.reservedValue;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (WithinUnsigned(candidate.entryCounts[slot], kMaxEntryCount)) {
            appSettings.entryCounts[slot] = candidate.entryCounts[slot];
        }
    }
    if (WithinUnsigned(candidate.languageIndex, 1)) appSettings.languageIndex = candidate.languageIndex;
    return 0;
}

void SetMonitorQuery(MonitorQuery query) { monitorQuery = query ? query : WindowRectAsMonitor; }

Placement ClampPlacementToMonitor(const Placement& placement, const ScreenRect& monitor) {
    ScreenRect r = ToRect(placement);
    // Each step moves both opposite edges, so the size never changes; a
    // rectangle larger than the monitor ends at the monitor's top-left corner.
    if (r.right > monitor.right) {
        r.left -= r.right - monitor.right;
        r.right = monitor.right;
    }
    if (r.left < monitor.left) {
        r.right += monitor.left - r.left;
        r.left = monitor.left;
    }
    if (r.bottom > monitor.bottom) {
        r.top -= r.bottom - monitor.bottom;
        r.bottom = monitor.bottom;
    }
    if (r.top < monitor.top) {
        r.bottom += monitor.top - r.top;
        r.top = monitor.top;
    }
    return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), placement.width, placement.height};
}

int ApplyViewLayout(const ViewLayout& candidate) {
    viewLayout.mainPlacement =
        ClampPlacementToMonitor(candidate.mainPlacement, monitorQuery(ToRect(candidate.mainPlacement)));
    viewLayout.registerPlacement = ClampPlacementToMonitor(
        candidate.registerPlacement, monitorQuery(ToRect(candidate.registerPlacement)));
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (WithinUnsigned(candidate.sortStates[slot], kSortStateDescending)) {
            viewLayout.sortStates[slot] = candidate.sortStates[slot];
        }
        for (int column = 0; column < kColumnCount; ++column) {
            if (candidate.columnWidths[slot][column] > 0) {
                viewLayout.columnWidths[slot][column] = candidate.columnWidths[slot][column];
            }
        }
    }
    return 0;
}

void WriteSettingsImage(const AppSettings& settings, const ViewLayout& layout, uint8_t* image) {
    uint8_t* out = image;
    PutInt32(out, settings.groupSlotCount);
    for (const auto& name : settings.groupNames) {
        for (char16_t unit : name) {
            *out++ = static_cast<uint8_t>(unit);
            *out++ = static_cast<uint8_t>(unit >> 8);
        }
    }
    PutInt32(out, settings.reservedValue);
    PutInt32(out, settings.currentGroup);
    for (int32_t count : settings.entryCounts) PutInt32(out, count);
    PutInt32(out, settings.languageIndex);
    std::memset(out, 0, sizeof settings.reserved);
    out += sizeof settings.reserved;

    PutPlacement(out, layout.mainPlacement);
    PutPlacement(out, layout.registerPlacement);
    for (int32_t state : layout.sortStates) PutInt32(out, state);
    for (const auto& widths : layout.columnWidths) {
        for (int32_t width : widths) PutInt32(out, width);
    }
    std::memset(out, 0, sizeof layout.reserved);
}

void ReadSettingsImage(const uint8_t* image, AppSettings& settings, ViewLayout& layout) {
    const uint8_t* in = image;
    settings.groupSlotCount = GetInt32(in);
    for (auto& name : settings.groupNames) {
        for (char16_t& unit : name) {
            unit = static_cast<char16_t>(in[0] | (in[1] << 8));
            in += 2;
        }
    }
    settings.reservedValue = GetInt32(in);
    settings.currentGroup = GetInt32(in);
    for (int32_t& count : settings.entryCounts) count = GetInt32(in);
    settings.languageIndex = GetInt32(in);
    std::memcpy(settings.reserved, in, sizeof settings.reserved);
    in += sizeof settings.reserved;

    layout.mainPlacement = GetPlacement(in);
    layout.registerPlacement = GetPlacement(in);
    for (int32_t& state : layout.sortStates) state = GetInt32(in);
    for (auto& widths : layout.columnWidths) {
        for (int32_t& width : widths) width = GetInt32(in);
    }
    std::memcpy(layout.reserved, in, sizeof layout.reserved);
}
