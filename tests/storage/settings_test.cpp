#include "storage/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        appSettings = DefaultAppSettings();
        viewLayout = DefaultViewLayout();
        SetMonitorQuery(nullptr);
    }
    void TearDown() override { SetMonitorQuery(nullptr); }
};

// The expected file image is built from the documented offsets, not from the structs.
void PutAt(std::vector<uint8_t>& image, std::size_t offset, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

void PutNameAt(std::vector<uint8_t>& image, std::size_t offset, const std::u16string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        image[offset + 2 * i] = static_cast<uint8_t>(name[i]);
        image[offset + 2 * i + 1] = static_cast<uint8_t>(name[i] >> 8);
    }
}

void SetName(AppSettings& s, int slot, const std::u16string& name) {
    std::memset(s.groupNames[slot], 0, sizeof s.groupNames[slot]);
    std::memcpy(s.groupNames[slot], name.data(), name.size() * sizeof(char16_t));
}

std::u16string NameOf(const AppSettings& s, int slot) { return std::u16string(s.groupNames[slot]); }

}  // namespace

TEST_F(SettingsTest, DefaultsAreTheDocumentedOnes) {
    const AppSettings s = DefaultAppSettings();
    EXPECT_EQ(s.groupSlotCount, 64);
    EXPECT_EQ(NameOf(s, 0), u"group01");
    EXPECT_EQ(NameOf(s, 9), u"group10");
    EXPECT_EQ(NameOf(s, 63), u"group64");
    EXPECT_EQ(s.groupNames[63][7], 0);
    EXPECT_EQ(s.groupNames[63][127], 0);
    EXPECT_EQ(s.reservedValue, 1);
    EXPECT_EQ(s.currentGroup, 0);
    EXPECT_EQ(s.entryCounts[17], 0);
    EXPECT_EQ(s.languageIndex, 1);

    const ViewLayout v = DefaultViewLayout();
    EXPECT_EQ(v.mainPlacement.left, 100);
    EXPECT_EQ(v.mainPlacement.height, 1000);
    EXPECT_EQ(v.registerPlacement.left, 150);
    EXPECT_EQ(v.registerPlacement.top, 150);
    EXPECT_EQ(v.registerPlacement.width, 900);
    EXPECT_EQ(v.registerPlacement.height, 525);
    EXPECT_EQ(v.sortStates[0], 0);
    for (const auto& widths : v.columnWidths) {
        EXPECT_EQ(widths[0], 100);
        EXPECT_EQ(widths[1], 50);
        EXPECT_EQ(widths[2], 50);
        EXPECT_EQ(widths[3], 460);
    }
}

TEST_F(SettingsTest, ImageMatchesTheOffsetTableByteForByte) {
    AppSettings s = DefaultAppSettings();
    ViewLayout v = DefaultViewLayout();
    s.groupSlotCount = 64;
    SetName(s, 0, u"用語集");
    SetName(s, 63, u"last");
    s.reservedValue = 0x11223344;
    s.currentGroup = 5;
    for (int n = 0; n < 64; ++n) s.entryCounts[n] = 1000 + n;
    s.languageIndex = 0;
    std::memset(s.reserved, 0xAB, sizeof s.reserved);
    v.mainPlacement = {-10, 20, 300, 400};
    v.registerPlacement = {1, -2, 3, 4};
    for (int n = 0; n < 64; ++n) v.sortStates[n] = n % 3;
    for (int n = 0; n < 64; ++n)
        for (int c = 0; c < 4; ++c) v.columnWidths[n][c] = 10 * n + c + 1;
    std::memset(v.reserved, 0xCD, sizeof v.reserved);

    std::vector<uint8_t> expected(18080, 0);
    PutAt(expected, 0, 64);
    for (int n = 0; n < 64; ++n) PutNameAt(expected, 4 + 256 * n, NameOf(s, n));
    PutAt(expected, 16388, 0x11223344);
    PutAt(expected, 16392, 5);
    for (int n = 0; n < 64; ++n) PutAt(expected, 16396 + 4 * n, 1000 + n);
    PutAt(expected, 16652, 0);
    // 16656..16711 reserved: zero
    PutAt(expected, 16712, -10);
    PutAt(expected, 16716, 20);
    PutAt(expected, 16720, 300);
    PutAt(expected, 16724, 400);
    PutAt(expected, 16728, 1);
    PutAt(expected, 16732, -2);
    PutAt(expected, 16736, 3);
    PutAt(expected, 16740, 4);
    for (int n = 0; n < 64; ++n) PutAt(expected, 16744 + 4 * n, n % 3);
    for (int n = 0; n < 64; ++n)
        for (int c = 0; c < 4; ++c) PutAt(expected, 17000 + 16 * n + 4 * c, 10 * n + c + 1);
    // 18024..18079 reserved: zero

    std::vector<uint8_t> image(kSettingsFileSize, 0xEE);
    WriteSettingsImage(s, v, image.data());
    ASSERT_EQ(image.size(), expected.size());
    for (std::size_t i = 0; i < image.size(); ++i) {
        ASSERT_EQ(image[i], expected[i]) << "at offset " << i;
    }

    AppSettings readS{};
    ViewLayout readV{};
    ReadSettingsImage(image.data(), readS, readV);
    EXPECT_EQ(NameOf(readS, 0), u"用語集");
    EXPECT_EQ(readS.reservedValue, 0x11223344);
    EXPECT_EQ(readS.entryCounts[63], 1063);
    EXPECT_EQ(readV.registerPlacement.top, -2);
    EXPECT_EQ(readV.columnWidths[63][3], 634);
}

TEST_F(SettingsTest, ApplyAppSettingsTakesOnlyAcceptableValues) {
    AppSettings c = DefaultAppSettings();
    c.groupSlotCount = 7;
    SetName(c, 3, u"新しい名前");
    c.reservedValue = -42;
    c.currentGroup = 63;
    c.entryCounts[0] = 20000;
    c.entryCounts[1] = 20001;
    c.entryCounts[2] = -1;
    c.entryCounts[3] = 7;
    c.languageIndex = 0;
    appSettings.entryCounts[1] = 11;
    appSettings.entryCounts[2] = 12;
    EXPECT_EQ(ApplyAppSettings(c), 0);
    EXPECT_EQ(appSettings.groupSlotCount, 64);
    EXPECT_EQ(NameOf(appSettings, 3), u"新しい名前");
    EXPECT_EQ(appSettings.reservedValue, -42);
    EXPECT_EQ(appSettings.currentGroup, 63);
    EXPECT_EQ(appSettings.entryCounts[0], 20000);
    EXPECT_EQ(appSettings.entryCounts[1], 11);
    EXPECT_EQ(appSettings.entryCounts[2], 12);
    EXPECT_EQ(appSettings.entryCounts[3], 7);
    EXPECT_EQ(appSettings.languageIndex, 0);

    for (int32_t refused : {64, 65, -1, INT32_MIN}) {
        appSettings.currentGroup = 9;
        c.currentGroup = refused;
        ApplyAppSettings(c);
        EXPECT_EQ(appSettings.currentGroup, 9) << refused;
    }
    for (int32_t refused : {2, -1}) {
        appSettings.languageIndex = 1;
        c.languageIndex = refused;
        ApplyAppSettings(c);
        EXPECT_EQ(appSettings.languageIndex, 1) << refused;
    }
}

TEST_F(SettingsTest, NameWithoutTerminatorIsCutTo127Units) {
    AppSettings c = DefaultAppSettings();
    for (int i = 0; i < kGroupNameUnits; ++i) c.groupNames[2][i] = u'x';
    ApplyAppSettings(c);
    EXPECT_EQ(NameOf(appSettings, 2), std::u16string(127, u'x'));
    EXPECT_EQ(NameOf(appSettings, 3), u"group04");
}

TEST_F(SettingsTest, ApplyViewLayoutKeepsRefusedElementsAndLoadsTheirNeighbours) {
    ViewLayout c = DefaultViewLayout();
    c.sortStates[0] = 3;
    c.sortStates[1] = -1;
    c.sortStates[2] = 2;
    c.columnWidths[0][0] = 0;
    c.columnWidths[0][1] = -5;
    c.columnWidths[0][2] = 77;
    c.columnWidths[5][3] = 1;
    viewLayout.sortStates[0] = 1;
    EXPECT_EQ(ApplyViewLayout(c), 0);
    EXPECT_EQ(viewLayout.sortStates[0], 1);
    EXPECT_EQ(viewLayout.sortStates[1], 0);
    EXPECT_EQ(viewLayout.sortStates[2], 2);
    EXPECT_EQ(viewLayout.columnWidths[0][0], 100);
    EXPECT_EQ(viewLayout.columnWidths[0][1], 50);
    EXPECT_EQ(viewLayout.columnWidths[0][2], 77);
    EXPECT_EQ(viewLayout.columnWidths[5][3], 1);
}

TEST(ClampPlacement, MovesOntoTheMonitorWithoutResizing) {
    const ScreenRect monitor{0, 0, 1280, 1024};
    struct Case {
        Placement in;
        Placement out;
    };
    const Case cases[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},        // inside: unchanged
        {{5000, 6000, 400, 300}, {880, 724, 400, 300}},      // wholly off right and below
        {{-5000, -6000, 400, 300}, {0, 0, 400, 300}},        // wholly off left and above
        {{1000, 900, 400, 300}, {880, 724, 400, 300}},       // partly off
        {{300, 200, 2000, 1500}, {0, 0, 2000, 1500}},        // larger than the monitor
        {{-300, -200, 2000, 1500}, {0, 0, 2000, 1500}},
    };
    for (const Case& c : cases) {
        const Placement p = ClampPlacementToMonitor(c.in, monitor);
        EXPECT_EQ(p.left, c.out.left) << c.in.left << "," << c.in.top;
        EXPECT_EQ(p.top, c.out.top) << c.in.left << "," << c.in.top;
        EXPECT_EQ(p.width, c.in.width);
        EXPECT_EQ(p.height, c.in.height);
    }
}

TEST(ClampPlacement, ExtremeStoredValuesDoNotOverflow) {
    const ScreenRect monitor{-1920, 0, 0, 1080};
    const Placement far = ClampPlacementToMonitor({INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, monitor);
    EXPECT_EQ(far.left, -1920);
    EXPECT_EQ(far.top, 0);
    const Placement negative = ClampPlacementToMonitor({INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, monitor);
    EXPECT_GE(negative.left, -1920);
    EXPECT_EQ(negative.width, INT32_MIN);
}

namespace {
// Two monitors side by side; each rectangle goes to the one its centre is nearer.
ScreenRect TwoMonitors(const ScreenRect& window) {
    const int64_t centre = (window.left + window.right) / 2;
    if (centre >= 1920) return {1920, 0, 3200, 1024};
    return {0, 0, 1920, 1080};
}
}  // namespace

TEST_F(SettingsTest, EachPlacementIsClampedOntoItsOwnNearestMonitor) {
    SetMonitorQuery(TwoMonitors);
    ViewLayout c = DefaultViewLayout();
    c.mainPlacement = {3000, 2000, 400, 300};    // below the right monitor
    c.registerPlacement = {-500, 50, 900, 525};  // left of the left monitor
    ApplyViewLayout(c);
    EXPECT_EQ(viewLayout.mainPlacement.left, 2800);
    EXPECT_EQ(viewLayout.mainPlacement.top, 724);
    EXPECT_EQ(viewLayout.mainPlacement.width, 400);
    EXPECT_EQ(viewLayout.registerPlacement.left, 0);
    EXPECT_EQ(viewLayout.registerPlacement.top, 50);
    EXPECT_EQ(viewLayout.registerPlacement.height, 525);
}
