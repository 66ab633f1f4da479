#include "support/program_test.h"

#include <vector>

#include "support/program_run.h"

void ProgramTest::SetUp() { EndStrayPrograms(); }

void WriteText(const std::wstring& path, const std::string& bytes) { WriteFileBytes(path, {bytes.begin(), bytes.end()}); }

void WriteText(const std::wstring& path, const std::wstring& text) { WriteText(path, Ansi(text)); }

bool ApplyEnabled(const Session& session) { return IsWindowEnabled(session.Item(kApply)) != FALSE; }

AppSettings SettingsOnDisk(const std::wstring& path) {
    AppSettings settings{};
    ViewLayout layout{};
    const std::vector<uint8_t> image = ReadFileBytes(path);
    EXPECT_EQ(image.size(), kSettingsFileSize);
    if (image.size() == kSettingsFileSize) ReadSettingsImage(image.data(), settings, layout);
    return settings;
}

void WriteSettings(const std::wstring& path, const AppSettings& settings) {
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    WriteFileBytes(path, image);
}
