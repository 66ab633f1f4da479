#include "support/program_test.h"

#include <vector>

#include "support/program_run.h"

void ProgramTest::SetUp() { EndStrayPrograms(); }

void WriteText(const std::wstring& path, const std::string& bytes) { WriteFileBytes(path, {bytes.begin(), bytes.end()}); }

void WriteText(const std::wstring& path, const std::wstring& text) { WriteText(path, Ansi(text)); }

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

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
