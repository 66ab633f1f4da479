// The data folder is the folder the program was started in, whatever the
// Save As dialog does to the current directory while the user browses: the
// group files, the settings file and the Startup item all stay with it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/program_test.h"
#include "support/program_windows.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"

namespace {

const std::string kOurRows = "\"ours\",\"\",\"\",\"\"\n";
const std::string kOtherRows = "\"another folder's\",\"\",\"\",\"\"\n";

class DataFolder : public ProgramTest {};

struct BrowsedAway {
    const char* what;
    bool fromTray;
    // Done while the dialog is open in the other folder (from the tray), or after it was cancelled there.
    std::function<void(Session&)> act;
    // What the data folder's group01.csv then holds.
    std::string expected;
};

void AddAndApply(Session& session) {
    Session::SendAndWait(session.Dialog(), WM_ACTIVATE, WA_ACTIVE, 0);  // back in the glossary
    session.AddWithNew({L"new"});
    session.Command(kApply);
}

void EndTheSession(Session& session) {
    session.AddWithNew({L"new"});
    Session::SendAndWait(session.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    Session::SendAndWait(session.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

}  // namespace

TEST_F(DataFolder, BrowsingInSaveAsNeverMovesTheDataFolder) {
    const std::string withNew = kOurRows + "\"new\",\"\",\"\",\"\"\n";
    const std::vector<BrowsedAway> rows = {
        {"cancelled from the glossary, then apply", false, AddAndApply, withNew},
        {"open from the tray while the glossary applies", true, AddAndApply, withNew},
        {"open from the tray while Windows ends the session", true, EndTheSession, withNew},
        {"open from the tray while the Startup item is ticked", true,
         [](Session& session) { ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w')); }, kOurRows},
    };
    const std::wstring shortcut = StartupShortcutPath();
    for (const BrowsedAway& row : rows) {
        SCOPED_TRACE(row.what);
        TestFolder data(L"DataFolder-data"), other(L"DataFolder-other");
        WriteText(data.File(L"group01.csv"), kOurRows);
        WriteText(other.File(L"group01.csv"), kOtherRows);
        DeleteFileW(shortcut.c_str());
        {
            Session session(data.Path());
            HWND saveAs = OpenSaveAsBrowsedTo(session, row.fromTray, other.Path());
            ASSERT_NE(saveAs, nullptr);
            if (!row.fromTray) CancelSaveAs(session, saveAs);
            row.act(session);
            if (row.fromTray && IsWindow(saveAs)) CancelSaveAs(session, saveAs);
            if (!session.Program().WaitForExit(0)) {
                EXPECT_EQ(session.Terms().size(), row.expected == kOurRows ? 1u : 2u) << "the list is ours";
                session.ChooseExit();
                const HWND question = WaitForMessageBox(session.Program().ProcessId(), L"wordHaven", 1000);
                if (question) PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
                EXPECT_TRUE(session.Program().WaitForExit(15000));
            }
        }
        EXPECT_EQ(FileText(data.File(L"group01.csv")), row.expected);
        EXPECT_TRUE(FileExists(data.File(L"wordHaven.ini")));
        EXPECT_EQ(FileText(other.File(L"group01.csv")), kOtherRows) << "the other folder is not ours";
        EXPECT_EQ(CountFiles(other.File(L"*")), 1) << "nothing of ours lands there";
        if (FileExists(shortcut)) {
            EXPECT_EQ(StartupShortcutStartFolder(), data.Path());
        }
    }
    DeleteFileW(shortcut.c_str());
}

TEST_F(DataFolder, TheStartupItemSpeaksForTheFolderItWasStartedIn) {
    const std::wstring shortcut = StartupShortcutPath();
    DeleteFileW(shortcut.c_str());
    TestFolder first(L"DataFolder-first"), second(L"DataFolder-second");
    {
        Session session(first.Path());
        ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w'));
        ASSERT_TRUE(PollUntil([&] { return StartupShortcutStartFolder() == first.Path(); }));
        EXPECT_EQ(session.Exit(), 0u);
    }
    {
        // The shortcut starts another folder: this one's item is not ticked, and ticking points it here.
        Session session(second.Path());
        ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w'));
        EXPECT_TRUE(PollUntil([&] { return StartupShortcutStartFolder() == second.Path(); }));
        PumpFor(300);
        ASSERT_TRUE(ChooseFromTrayMenu(session.Main(), L'w'));
        EXPECT_TRUE(PollUntil([&] { return !FileExists(shortcut); })) << "now it is this folder's to remove";
        EXPECT_EQ(session.Exit(), 0u);
    }
}
