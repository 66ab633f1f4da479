// The real wordHaven.exe started, used and ended as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "storage/settings.h"
#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

std::vector<uint8_t> SettingsImage(int languageIndex, int currentGroup = 0) {
    AppSettings settings = DefaultAppSettings();
    settings.languageIndex = languageIndex;
    settings.currentGroup = currentGroup;
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    return image;
}

void ReadImage(const std::vector<uint8_t>& bytes, AppSettings& settings, ViewLayout& layout) {
    ASSERT_EQ(bytes.size(), kSettingsFileSize);
    ReadSettingsImage(bytes.data(), settings, layout);
}

// Counts how often a file of the folder is put in place (created or renamed to).
class FolderWatch {
public:
    explicit FolderWatch(const std::wstring& folder) {
        folder_ = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Arm();
    }
    ~FolderWatch() {
        CancelIo(folder_);
        CloseHandle(overlapped_.hEvent);
        CloseHandle(folder_);
    }
    // Collects notifications for a while and returns how often name arrived.
    int ArrivalsOf(const std::wstring& name, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            if (WaitForSingleObject(overlapped_.hEvent, 50) != WAIT_OBJECT_0) continue;
            DWORD bytes = 0;
            GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE);
            for (DWORD offset = 0; bytes > 0;) {
                auto* info = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(buffer_ + offset);
                const std::wstring file(info->FileName, info->FileNameLength / sizeof(wchar_t));
                if (file == name && (info->Action == FILE_ACTION_ADDED || info->Action == FILE_ACTION_RENAMED_NEW_NAME)) {
                    ++arrivals_;
                }
                if (!info->NextEntryOffset) break;
                offset += info->NextEntryOffset;
            }
            Arm();
        }
        return arrivals_;
    }

private:
    void Arm() {
        ResetEvent(overlapped_.hEvent);
        ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr,
                              &overlapped_, nullptr);
    }
    HANDLE folder_;
    OVERLAPPED overlapped_{};
    alignas(DWORD) BYTE buffer_[16384];
    int arrivals_ = 0;
};

// Every test ends the program as a user would, from its tray menu.
void ExitFromTrayMenu(ProgramRun& program, HWND mainWindow, DWORD* exitCode = nullptr) {
    ASSERT_TRUE(ChooseFromTrayMenu(mainWindow, L'e'));
    ASSERT_TRUE(program.WaitForExit(15000, exitCode)) << "the program did not end after Exit";
}

// Polls until the process shows no window of this class; false on time-out.
bool WaitForNoShownTopWindow(DWORD processId, const wchar_t* className, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        bool shown = false;
        for (HWND window : TopWindowsOf(processId, className, nullptr)) shown = shown || IsWindowVisible(window);
        if (!shown) return true;
        if (GetTickCount() - start > milliseconds) return false;
        PumpFor(20);
    }
}

class Startup : public testing::Test {
protected:
    void SetUp() override { EndStrayPrograms(); }
};

}  // namespace

TEST_F(Startup, FirstStartShowsTheDialogAndExitWritesTheSettingsOnce) {
    TestFolder folder;
    FolderWatch watch(folder.Path());
    ProgramRun program(folder.Path());
    ASSERT_TRUE(program.Started());
    HWND main = WaitForMainWindow(program.ProcessId());
    ASSERT_NE(main, nullptr);
    HWND dialog = WaitForRegisterDialog(program.ProcessId());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TrayIconPresent(main));
    PumpFor(300);
    EXPECT_TRUE(TopWindowsOf(program.ProcessId(), L"#32770", L"wordHaven").empty()) << "no message at a first start";
    EXPECT_FALSE(FileExists(folder.File(L"wordHaven.ini")));

    DWORD exitCode = 1;
    ExitFromTrayMenu(program, main, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(TrayIconPresent(main));
    EXPECT_EQ(watch.ArrivalsOf(L"wordHaven.ini", 500), 1);

    AppSettings settings{};
    ViewLayout layout{};
    ReadImage(ReadFileBytes(folder.File(L"wordHaven.ini")), settings, layout);
    EXPECT_EQ(settings.languageIndex, 1);
    EXPECT_EQ(std::u16string(settings.groupNames[63]), u"group64");
    // The dialog was destroyed with the main window, so its last recorded place stays.
    EXPECT_EQ(layout.registerPlacement.left, 150);
    EXPECT_EQ(layout.registerPlacement.width, 900);
    EXPECT_EQ(CountFiles(folder.File(L"wordHaven.ini*.tmp")), 0);
}

TEST_F(Startup, SecondStartIsRefusedInJapaneseEvenWithEnglishSettings) {
    TestFolder folder;
    const std::vector<uint8_t> english = SettingsImage(0, 3);
    WriteFileBytes(folder.File(L"wordHaven.ini"), english);
    ProgramRun first(folder.Path());
    HWND main = WaitForMainWindow(first.ProcessId());
    ASSERT_NE(main, nullptr);
    // The glossary in English, as the settings say.
    HWND dialog = WaitForShownTopWindow(first.ProcessId(), L"#32770", L"Glossary");
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(first.ProcessId(), L"#32770", L"Glossary"));

    ProgramRun second(folder.Path());
    ASSERT_TRUE(second.Started());
    HWND box = WaitForMessageBox(second.ProcessId(), L"wordHaven");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"既に起動済みです。");
    EXPECT_TRUE(TopWindowsOf(second.ProcessId(), L"wordHaven", nullptr).empty()) << "nothing else was created";
    PressOk(box);
    DWORD exitCode = 1;
    ASSERT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(folder.File(L"wordHaven.ini")), english);
    EXPECT_NE(WaitForShownTopWindow(first.ProcessId(), L"#32770", L"Glossary", 5000), nullptr)
        << "the running one shows its glossary";

    ASSERT_TRUE(ChooseFromTrayMenu(main, L'x'));  // E&xit
    ASSERT_TRUE(first.WaitForExit(15000)) << "the program did not end after Exit";
}

TEST_F(Startup, ATakenHotkeyIsNamedAndTheOthersStillWork) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_ALT, 'W'));
    TestFolder folder;
    ProgramRun program(folder.Path());
    HWND box = WaitForMessageBox(program.ProcessId(), L"失敗");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"設定失敗です\nAlt+W");
    HWND main = WaitForMainWindow(program.ProcessId());
    EXPECT_EQ(GetWindow(box, GW_OWNER), main);
    PressOk(box);
    ASSERT_NE(WaitForRegisterDialog(program.ProcessId()), nullptr);
    EXPECT_TRUE(TopWindowsOf(program.ProcessId(), L"#32770", L"失敗").empty()) << "exactly one message";

    // Alt+E and Alt+R were registered all the same.
    EXPECT_FALSE(RegisterHotKey(nullptr, 3, MOD_ALT, 'E'));
    EXPECT_FALSE(RegisterHotKey(nullptr, 4, MOD_ALT, 'R'));
    UnregisterHotKey(nullptr, 1);
    ExitFromTrayMenu(program, main);
}

TEST_F(Startup, TakenAltRLeavesAltWAndAltERegistered) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 4, MOD_ALT, 'R'));
    TestFolder folder;
    ProgramRun program(folder.Path());
    HWND box = WaitForMessageBox(program.ProcessId(), L"失敗");
    ASSERT_NE(box, nullptr);
    PressOk(box);
    HWND main = WaitForMainWindow(program.ProcessId());
    ASSERT_NE(WaitForRegisterDialog(program.ProcessId()), nullptr);
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_ALT, 'W'));
    EXPECT_FALSE(RegisterHotKey(nullptr, 3, MOD_ALT, 'E'));
    UnregisterHotKey(nullptr, 4);
    ExitFromTrayMenu(program, main);
}

TEST_F(Startup, SettingsFileOfWrongSizeIsReportedAndReplacedAtExit) {
    TestFolder folder;
    std::vector<uint8_t> damaged = SettingsImage(0, 9);
    damaged.pop_back();  // 18079 bytes
    WriteFileBytes(folder.File(L"wordHaven.ini"), damaged);
    ProgramRun program(folder.Path());
    HWND box = WaitForMessageBox(program.ProcessId(), L"wordHaven");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"iniファイルオープンに失敗しました");
    PressOk(box);
    HWND main = WaitForMainWindow(program.ProcessId());
    ASSERT_NE(WaitForRegisterDialog(program.ProcessId()), nullptr);
    EXPECT_EQ(ReadFileBytes(folder.File(L"wordHaven.ini")), damaged) << "left alone until the exit";

    ExitFromTrayMenu(program, main);
    AppSettings settings{};
    ViewLayout layout{};
    ReadImage(ReadFileBytes(folder.File(L"wordHaven.ini")), settings, layout);
    EXPECT_EQ(settings.languageIndex, 1) << "the defaults were kept and written";
    EXPECT_EQ(settings.currentGroup, 0);
    EXPECT_EQ(ReadFileBytes(folder.File(L"wordHaven.ini.bad")), damaged) << "kept beside, its names recoverable";
}

TEST_F(Startup, TheRegistrationDialogStaysWhereItWasPutWhenTheTaskbarIsAtTheTopLeft) {
    // The work area moved right and down, as a taskbar at the left or top moves it. Wine keeps the work
    // area per process and gives placements in screen coordinates, so there only the round trip is checked.
    RECT saved{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved, 0));
    RECT moved = saved;
    moved.left += 70;
    moved.top += 40;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &moved, SPIF_SENDCHANGE));
    struct PutBack {
        RECT area;
        ~PutBack() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE); }
    } putBack{saved};

    TestFolder folder;
    AppSettings settings = DefaultAppSettings();
    ViewLayout layout = DefaultViewLayout();
    layout.registerPlacement = {200, 150, 700, 500};
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, layout, image.data());
    WriteFileBytes(folder.File(L"wordHaven.ini"), image);

    RECT first{};
    for (int run = 0; run < 2; ++run) {
        ProgramRun program(folder.Path());
        HWND main = WaitForMainWindow(program.ProcessId());
        for (int opening = 0; opening < 2; ++opening) {
            HWND dialog = WaitForRegisterDialog(program.ProcessId());
            ASSERT_NE(dialog, nullptr);
            RECT now{};
            GetWindowRect(dialog, &now);
            if (run == 0 && opening == 0) first = now;
            EXPECT_TRUE(EqualRect(&now, &first)) << "run " << run << ", opening " << opening << ": at " << now.left
                                                 << "," << now.top << " instead of " << first.left << "," << first.top;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(WaitForNoTopWindow(program.ProcessId(), L"#32770", L"単語登録"));
            ASSERT_TRUE(ChooseFromTrayMenu(main, L'r'));
        }
        ASSERT_NE(WaitForRegisterDialog(program.ProcessId()), nullptr);
        ExitFromTrayMenu(program, main);
        ReadImage(ReadFileBytes(folder.File(L"wordHaven.ini")), settings, layout);
        EXPECT_EQ(layout.registerPlacement.left, 200);
        EXPECT_EQ(layout.registerPlacement.top, 150);
        EXPECT_EQ(layout.registerPlacement.width, 700);
        EXPECT_EQ(layout.registerPlacement.height, 500);
    }
}

TEST_F(Startup, TheTrayMenuClosesOnEscapeAndOnAClickElsewhereEveryTime) {
    TestFolder folder;
    ProgramRun program(folder.Path());
    HWND main = WaitForMainWindow(program.ProcessId());
    ASSERT_NE(WaitForRegisterDialog(program.ProcessId()), nullptr);
    for (int round = 0; round < 4; ++round) {
        MoveCursorTo({1000, 900});
        PostMessageW(main, WM_APP + 1, 108, WM_RBUTTONDOWN);
        HWND menu = WaitForShownTopWindow(program.ProcessId(), L"#32768", nullptr, 5000);
        ASSERT_NE(menu, nullptr) << "round " << round;
        PumpFor(300);
        EXPECT_TRUE(IsWindowVisible(menu)) << "round " << round << ": the menu stays until the user leaves it";
        if (round % 2 == 0) {
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        } else {
            ClickAt({100, 100});
        }
        EXPECT_TRUE(WaitForNoShownTopWindow(program.ProcessId(), L"#32768", 3000)) << "round " << round;
    }
    // Under Wine the release of a click that closed a menu, still on its way,
    // closes the next menu at once; a user's next right click comes later.
    PumpFor(500);
    ExitFromTrayMenu(program, main);
}
