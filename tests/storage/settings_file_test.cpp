// wordHaven.ini on a real file system, read and written by the program's own code.
#include "storage/settings_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"

namespace {

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
    }
    void TearDown() override { SetMonitorQuery(nullptr); }

    std::wstring IniPath() const { return folder_.File(L"wordHaven.ini"); }

    std::vector<uint8_t> ImageWithEnglish() {
        AppSettings s = DefaultAppSettings();
        s.languageIndex = 0;
        s.currentGroup = 12;
        std::vector<uint8_t> image(kSettingsFileSize);
        WriteSettingsImage(s, DefaultViewLayout(), image.data());
        return image;
    }

    TestFolder folder_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

}  // namespace

TEST_F(SettingsFileTest, MissingFileKeepsDefaultsSilently) {
    EXPECT_EQ(LoadSettingsFile(), -1);
    EXPECT_TRUE(messages_->empty());
    EXPECT_EQ(appSettings.languageIndex, 1);
    EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(SettingsFileTest, SaveWritesTheImageAndLoadRestoresIt) {
    appSettings.languageIndex = 0;
    appSettings.currentGroup = 7;
    appSettings.entryCounts[7] = 42;
    std::memcpy(appSettings.groupNames[7], u"単語帳", 8);
    appSettings.reserved[3] = 0x55;  // reserved bytes are never written
    viewLayout.registerPlacement = {10, 20, 700, 400};
    viewLayout.sortStates[0] = 2;
    viewLayout.columnWidths[7][3] = 333;
    ASSERT_EQ(SaveSettingsFile(), 0);
    EXPECT_TRUE(messages_->empty());

    const std::vector<uint8_t> bytes = ReadFileBytes(IniPath());
    ASSERT_EQ(bytes.size(), 18080u);
    std::vector<uint8_t> expected(kSettingsFileSize);
    WriteSettingsImage(appSettings, viewLayout, expected.data());
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes[16656 + 3], 0);
    EXPECT_EQ(CountFiles(IniPath() + L"*.tmp"), 0);

    appSettings = DefaultAppSettings();
    viewLayout = DefaultViewLayout();
    ASSERT_EQ(LoadSettingsFile(), 0);
    EXPECT_EQ(appSettings.languageIndex, 0);
    EXPECT_EQ(appSettings.currentGroup, 7);
    EXPECT_EQ(appSettings.entryCounts[7], 42);
    EXPECT_EQ(std::u16string(appSettings.groupNames[7]), u"単語帳");
    EXPECT_EQ(viewLayout.registerPlacement.left, 10);
    EXPECT_EQ(viewLayout.registerPlacement.width, 700);
    EXPECT_EQ(viewLayout.sortStates[0], 2);
    EXPECT_EQ(viewLayout.columnWidths[7][3], 333);
}

TEST_F(SettingsFileTest, WrongSizeIsRefusedAndChangesNothing) {
    for (size_t size : {size_t{18079}, size_t{18081}, size_t{0}}) {
        std::vector<uint8_t> image = ImageWithEnglish();
        image.resize(size, 0);
        WriteFileBytes(IniPath(), image);
        messages_->clear();
        appSettings = DefaultAppSettings();

        EXPECT_EQ(LoadSettingsFile(), -1) << size;
        EXPECT_TRUE(SettingsFileRefused()) << "for the start to tell";
        EXPECT_TRUE(messages_->empty()) << "storage shows nothing itself";
        EXPECT_EQ(appSettings.languageIndex, 1);
        EXPECT_EQ(appSettings.currentGroup, 0);
        EXPECT_EQ(ReadFileBytes(IniPath()), image) << "the file is left for the exit to replace";
    }
}

TEST_F(SettingsFileTest, AFileThatCouldNotBeReadIsNeverReplaced) {
    const std::vector<uint8_t> previous = ImageWithEnglish();
    WriteFileBytes(IniPath(), previous);
    // Held alone by another program past the load's patience, then let go before the exit.
    HANDLE held = CreateFileW(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(LoadSettingsFile(), -1);
    CloseHandle(held);
    EXPECT_TRUE(SettingsFileUnreadable()) << "for the start to tell";
    EXPECT_FALSE(SettingsFileRefused()) << "its content was never seen";
    EXPECT_EQ(appSettings.languageIndex, 1) << "the defaults serve meanwhile";

    appSettings.currentGroup = 5;
    EXPECT_EQ(SaveSettingsFile(), 0) << "nothing went wrong to tell at the exit";
    EXPECT_EQ(ReadFileBytes(IniPath()), previous) << "the group names it holds stay";
    EXPECT_FALSE(FileExists(IniPath() + L".bad"));
    EXPECT_TRUE(messages_->empty());
}

TEST_F(SettingsFileTest, LoadedPlacementsAreClampedOntoTheRealMonitor) {
    UseSystemMonitorQuery();
    ViewLayout layout = DefaultViewLayout();
    layout.registerPlacement = {50000, 40000, 900, 525};
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(DefaultAppSettings(), layout, image.data());
    WriteFileBytes(IniPath(), image);
    ASSERT_EQ(LoadSettingsFile(), 0);

    RECT placed{viewLayout.registerPlacement.left, viewLayout.registerPlacement.top,
                viewLayout.registerPlacement.left + 900, viewLayout.registerPlacement.top + 525};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &info);
    EXPECT_EQ(placed.right, info.rcMonitor.right);
    EXPECT_EQ(placed.bottom, info.rcMonitor.bottom);
    EXPECT_EQ(viewLayout.registerPlacement.width, 900);
}

TEST_F(SettingsFileTest, FailedSaveKeepsThePreviousFile) {
    const std::vector<uint8_t> previous = ImageWithEnglish();
    WriteFileBytes(IniPath(), previous);
    appSettings.languageIndex = 0;
    appSettings.currentGroup = 33;

    // A file the user made read-only is not replaced.
    ASSERT_TRUE(SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SaveSettingsFile(), -1);
    EXPECT_EQ(ReadFileBytes(IniPath()), previous);
    SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);

    // A settings file held open by another program cannot be replaced.
    messages_->clear();
    appSettings.languageIndex = 1;
    HANDLE held = CreateFileW(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SaveSettingsFile(), -1);
    CloseHandle(held);
    EXPECT_TRUE(messages_->empty());
    EXPECT_EQ(ReadFileBytes(IniPath()), previous);
    EXPECT_EQ(CountFiles(IniPath() + L"*.tmp"), 0) << "no temporary file is left behind";
}
