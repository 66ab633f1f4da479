// The files of the real wordHaven.exe when the world changes under it: a
// kill in the middle of a save, a save cut off before its rename, a settings
// file held by a sync tool, a data folder away for a moment. The files on
// disk are checked byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "storage/settings.h"
#include "support/host_files.h"
#include "support/program_windows.h"
#include "support/program_test.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {


// A settings file whose first group has this name.
void WriteSettingsNaming(const std::wstring& path, const std::u16string& name) {
    AppSettings settings = DefaultAppSettings();
    std::fill(std::begin(settings.groupNames[0]), std::end(settings.groupNames[0]), u'\0');
    name.copy(settings.groupNames[0], name.size());
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(settings, DefaultViewLayout(), image.data());
    WriteFileBytes(path, image);
}

std::wstring FirstGroupName(const Session& session) {
    wchar_t name[128] = {};
    SendMessageW(session.Item(kGroupSelector), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    return name;
}

void SetRenameField(const Session& session, const std::wstring& name) {
    Session::SendAndWait(session.Item(kRename), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

bool NoMessageShown(Session& session) {
    return TopWindowsOf(session.Program().ProcessId(), L"#32770", L"wordHaven").empty();
}

// Presses OK on a message if one comes within the time; its text, or empty.
std::wstring TextOfAnyMessage(Session& session, DWORD milliseconds) {
    HWND box = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven", milliseconds);
    if (!box) return {};
    const std::wstring text = MessageBoxText(box);
    PressOk(box);
    WaitForNoTopWindow(session.Program().ProcessId(), L"#32770", L"wordHaven", 5000);
    return text;
}

// Moves a folder as the system underneath does, whoever has it open: the
// program's own folder cannot be renamed through Windows while it runs there.
bool MoveFolderUnderneath(const std::wstring& from, const std::wstring& to) {
    const std::string unixFrom = UnixNameOf(from), unixTo = UnixNameOf(to);
    if (unixFrom.empty() || !StartOnHost(L"Z:\\bin\\mv", {unixFrom, unixTo})) return false;
    return PollUntil([&] { return FileExists(to) && !FileExists(from); }, 5000);
}

class FilesUnderChange : public ProgramTest {
protected:
};

}  // namespace

// Saves of the group and of the settings, cut off by TerminateProcess at
// random moments and at once when a file is seen missing: afterwards the
// settings name a group whose file holds every entry, as a next start reads them.
TEST_F(FilesUnderChange, AKillAtAnyMomentOfASaveLeavesNoFileMissingOrDamaged) {
    std::string rows;
    for (int n = 0; n < 400; ++n) {
        rows += "\"term " + std::to_string(n) + "\",\"reading\",\"spelling\",\"a description long enough to take a "
                "moment to write, number " + std::to_string(n) + "\"\n";
    }
    std::mt19937 random(20261207);
    const DWORD start = GetTickCount();
    int rounds = 0, missing = 0, damaged = 0, killedOnSight = 0;
    for (; rounds < 40 && GetTickCount() - start < 60000; ++rounds) {
        const std::wstring name = L"r" + std::to_wstring(rounds);
        WriteSettingsNaming(File(L"wordHaven.ini"), std::u16string(name.begin(), name.end()));
        WriteText(File(name + L".csv"), rows);
        Session session(folder_.Path());
        ASSERT_NE(session.Dialog(), nullptr);
        // Even rounds save the group over and over; odd rounds rename it, which
        // writes the new file and then the settings that lead to it.
        if (rounds % 2 == 0) {
            for (int n = 0; n < 60; ++n) session.PostCommand(kApply);
        } else {
            SetRenameField(session, name + L"x");
            session.PostCommand(kApply);
        }
        const std::vector<std::wstring> watched = {File(L"wordHaven.ini"), File(name + L".csv")};
        const DWORD deadline = GetTickCount() + std::uniform_int_distribution<DWORD>(0, rounds % 2 ? 150 : 1200)(random);
        bool seenMissing = false;
        while (!seenMissing && static_cast<LONG>(deadline - GetTickCount()) > 0) {
            for (const std::wstring& path : watched) seenMissing = seenMissing || !FileExists(path);
        }
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, session.Program().ProcessId());
        TerminateProcess(process, 3);
        CloseHandle(process);
        ASSERT_TRUE(session.Program().WaitForExit(5000));
        killedOnSight += seenMissing;

        const std::vector<uint8_t> image = ReadFileBytes(File(L"wordHaven.ini"));
        if (!FileExists(File(L"wordHaven.ini"))) {
            ++missing;
            continue;
        }
        if (image.size() != kSettingsFileSize) {
            ++damaged;
            continue;
        }
        AppSettings settings{};
        ViewLayout layout{};
        ReadSettingsImage(image.data(), settings, layout);
        const std::u16string group = settings.groupNames[0];
        const std::wstring groupFile = File(std::wstring(group.begin(), group.end()) + L".csv");
        if (!FileExists(groupFile)) {
            ++missing;
        } else if (FileText(groupFile) != rows) {
            ++damaged;
        }
    }
    std::printf("kills: %d (%d on seeing a file missing), files missing after: %d, damaged: %d\n", rounds,
                killedOnSight, missing, damaged);
    EXPECT_GE(rounds, 10);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(damaged, 0);
}

TEST_F(FilesUnderChange, ASaveCutOffBeforeItsRenameIsPointedOutAndNeverWrittenOver) {
    // As an earlier version left it when killed: the new content only in the temporary file.
    const std::string cutOff = "\"only here\",\"\",\"\",\"\"\n";
    WriteText(File(L"group01.csv.tmp"), cutOff);
    {
        std::wstring told;
        Session session(folder_.Path(), &told);
        EXPECT_NE(told.find(File(L"group01.csv") + L"\n"), std::wstring::npos) << "the missing file";
        EXPECT_NE(told.find(File(L"group01.csv.tmp")), std::wstring::npos) << "where its content is";
        session.AddWithNew({L"new"});
        session.Command(kApply);
        EXPECT_EQ(FileText(File(L"group01.csv")), "\"new\",\"\",\"\",\"\"\n");
        EXPECT_EQ(FileText(File(L"group01.csv.tmp")), cutOff) << "a later save takes a name of its own";
        EXPECT_EQ(session.Exit(), 0u);
    }
    // The settings the same way.
    ASSERT_TRUE(MoveFileW(File(L"wordHaven.ini").c_str(), File(L"wordHaven.ini.1f-2.tmp").c_str()));
    std::wstring told;
    Session session(folder_.Path(), &told);
    EXPECT_NE(told.find(File(L"wordHaven.ini.1f-2.tmp")), std::wstring::npos);
    EXPECT_EQ(session.Exit(), 0u);
    EXPECT_TRUE(FileExists(File(L"wordHaven.ini.1f-2.tmp")));
}

TEST_F(FilesUnderChange, ASettingsFileHeldOpenBySyncToolsAtStartIsReadAllTheSame) {
    WriteSettingsNaming(File(L"wordHaven.ini"), u"語彙");
    WriteText(File(L"語彙.csv"), "\"entry\",\"\",\"\",\"\"\n");
    {
        // A sync tool writing: every sharing allowed but ours would have to share writing too.
        HANDLE sync = CreateFileW(File(L"wordHaven.ini").c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        ASSERT_NE(sync, INVALID_HANDLE_VALUE);
        Session session(folder_.Path());
        EXPECT_TRUE(NoMessageShown(session));
        EXPECT_EQ(FirstGroupName(session), L"語彙");
        EXPECT_EQ(session.Terms(), std::vector<std::wstring>{L"entry"});
        CloseHandle(sync);
        EXPECT_EQ(session.Exit(), 0u);
    }
    // A backup tool holding it alone for a moment as the program starts.
    HANDLE backup = CreateFileW(File(L"wordHaven.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(backup, INVALID_HANDLE_VALUE);
    HANDLE release = CreateThread(
        nullptr, 0,
        [](void* file) -> DWORD {
            Sleep(400);
            CloseHandle(file);
            return 0;
        },
        backup, 0, nullptr);
    Session session(folder_.Path());
    WaitForSingleObject(release, 5000);
    CloseHandle(release);
    EXPECT_TRUE(NoMessageShown(session));
    EXPECT_EQ(FirstGroupName(session), L"語彙");
    EXPECT_EQ(session.Exit(), 0u);
    EXPECT_FALSE(FileExists(File(L"wordHaven.ini.bad"))) << "never taken for damaged";
}

TEST_F(FilesUnderChange, ASettingsFileHeldPastTheStartIsToldAndNeverReplaced) {
    WriteSettingsNaming(File(L"wordHaven.ini"), u"語彙");
    const std::vector<uint8_t> names = ReadFileBytes(File(L"wordHaven.ini"));
    HANDLE held = CreateFileW(File(L"wordHaven.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        std::wstring told;
        Session session(folder_.Path(), &told);
        CloseHandle(held);
        EXPECT_NE(told.find(L"wordHaven.ini はありますが、読み込めませんでした"), std::wstring::npos) << Utf8(told);
        EXPECT_EQ(FirstGroupName(session), L"group01") << "the defaults serve meanwhile";
        EXPECT_EQ(session.Exit(), 0u);
    }
    EXPECT_EQ(ReadFileBytes(File(L"wordHaven.ini")), names) << "the group names are kept";
    EXPECT_FALSE(FileExists(File(L"wordHaven.ini.bad")));
    Session again(folder_.Path());
    EXPECT_TRUE(NoMessageShown(again));
    EXPECT_EQ(FirstGroupName(again), L"語彙");
    EXPECT_EQ(again.Exit(), 0u);
}

TEST_F(FilesUnderChange, AGroupWhoseFolderIsAwayForAMomentIsNeverSavedOver) {
    const std::string rows = "\"kept\",\"\",\"\",\"\"\n\"safe\",\"\",\"\",\"\"\n";
    WriteText(File(L"group02.csv"), rows);
    Session session(folder_.Path());
    const std::wstring away = folder_.Path() + L"-away";
    ASSERT_TRUE(MoveFolderUnderneath(folder_.Path(), away));  // a USB stick pulled, a share gone
    session.SelectGroup(1, false);
    const std::wstring told = TextOfAnyMessage(session, 5000);
    ASSERT_TRUE(MoveFolderUnderneath(away, folder_.Path()));
    EXPECT_EQ(told, kSaveFailed);

    session.AddWithNew({L"new"});
    session.PostCommand(kApply);
    EXPECT_EQ(TextOfAnyMessage(session, 5000), kSaveFailed) << "the file it could not read is not saved over";
    EXPECT_EQ(FileText(File(L"group02.csv")), rows);
    session.ChooseExit();
    session.Answer(IDNO, session.Dialog());
    EXPECT_TRUE(session.Program().WaitForExit(15000));
    EXPECT_EQ(FileText(File(L"group02.csv")), rows);
}
