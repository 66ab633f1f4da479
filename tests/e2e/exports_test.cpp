// Exports through the real wordHaven.exe and its Save As dialog: where the
// dialog opens, the program's own files refused while it is open, and groups
// held shut by another program named before anything is written. The files
// on disk are checked byte for byte.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "support/program_test.h"
#include "support/save_as_dialog.h"
#include "support/session.h"
#include "support/test_folder.h"
#include "support/windows_found.h"
#include "ui/messages.h"

namespace {

constexpr int kExportButton = 1250;
constexpr int kAllGroupsAsSpreadsheet = 4;
const std::string kOldExport = "an older export";

std::wstring MessageStart(Message message) {
    return reinterpret_cast<const wchar_t*>(DescribeMessage(message, 1).text);
}

std::wstring DocumentsFolder() {
    PWSTR folder = nullptr;
    EXPECT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &folder)));
    const std::wstring path = folder ? folder : L"";
    CoTaskMemFree(folder);
    return path;
}

class Exports : public ProgramTest {};

}  // namespace

TEST_F(Exports, SaveAsOpensAwayFromTheGlossaryAndNeverWritesItsFiles) {
    WriteText(File(L"group01.csv"), "\"one\",\"\",\"\",\"\"\n");
    WriteText(File(L"group02.csv"), "\"two\",\"\",\"\",\"\"\n");
    WriteText(File(L"group03.csv"), "\"three\",\"\",\"\",\"\"\n");
    WriteSettings(File(L"wordHaven.ini"), DefaultAppSettings());
    CreateDirectoryW(File(L"backup").c_str(), nullptr);
    CreateDirectoryW(File(L"backup\\2024-01-01").c_str(), nullptr);
    WriteText(File(L"backup\\2024-01-01\\group01.csv"), "backed up");
    WriteText(File(L"all.csv"), kOldExport);
    const std::wstring documents = DocumentsFolder() + L"\\wordHaven-exports-test.txt";
    DeleteFileW(documents.c_str());

    enum class Expect { WrittenAt, Refused, AskedNo, AskedYes };
    const struct {
        const char* what;
        std::wstring typed;  // a bare name lands in the folder the dialog opened in
        int fileType;
        Expect expect;
        std::wstring writtenAt = {};
    } rows[] = {
        {"the first Save As of a run opens in Documents", L"wordHaven-exports-test", 1, Expect::WrittenAt, documents},
        {"an export into the data folder", File(L"cards.txt"), 1, Expect::WrittenAt, File(L"cards.txt")},
        {"the next Save As opens where the last export went", L"next", 1, Expect::WrittenAt, File(L"next.txt")},
        {"the group's name as a spreadsheet: its own file", File(L"group01"), 3, Expect::Refused},
        {"another group's file", File(L"group02.csv"), 3, Expect::Refused},
        {"the same in other letter case", File(L"GROUP02.CSV"), 3, Expect::Refused},
        {"the file of a group that has none yet", File(L"group07.csv"), 3, Expect::Refused},
        {"the settings file", File(L"wordHaven.ini"), 1, Expect::Refused},
        {"a backup", File(L"backup\\2024-01-01\\group01.csv"), 3, Expect::Refused},
        {"a held group, No: nothing is written", File(L"all.csv"), kAllGroupsAsSpreadsheet, Expect::AskedNo},
        {"a held group, Yes: written without it", File(L"all.csv"), kAllGroupsAsSpreadsheet, Expect::AskedYes},
    };
    Session session(folder_.Path());
    const DWORD program = session.Program().ProcessId();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto before = FilesUnder(folder_.Path());
        const bool replaces = FileExists(row.typed) || FileExists(row.typed + L".csv");
        const bool asks = row.expect == Expect::AskedNo || row.expect == Expect::AskedYes;
        FileHandle held = asks ? HoldShut(File(L"group02.csv")) : FileHandle();
        session.PostCommand(kExportButton);
        HWND dialog = PressSaveAs(program, row.typed, row.fileType);
        ASSERT_NE(dialog, nullptr);
        if (replaces) AnswerReplaceQuestion(program, dialog);
        if (row.expect == Expect::Refused) {
            EXPECT_EQ(session.Answer(IDOK, dialog).find(MessageStart(Message::ExportTargetIsOwnFile)), 0u);
            EXPECT_TRUE(IsWindowVisible(dialog)) << "still open for another name";
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        ASSERT_TRUE(WaitForNoTopWindow(program, L"#32770", L"書き出し", 10000));
        if (asks) {
            const int answer = row.expect == Expect::AskedYes ? IDYES : IDNO;
            // Only the held group: the groups without a file are simply empty.
            EXPECT_EQ(session.Answer(answer, session.Dialog()),
                      MessageStart(Message::ExportGroupsUnreadable) + L"\ngroup02 (" + File(L"group02.csv") + L")");
        }
        held.Reset();
        switch (row.expect) {
        case Expect::WrittenAt:
            EXPECT_TRUE(PollUntil([&] { return FileExists(row.writtenAt); }, 10000));
            break;
        case Expect::Refused:
        case Expect::AskedNo:
            PumpFor(300);
            EXPECT_EQ(FilesUnder(folder_.Path()), before);
            break;
        case Expect::AskedYes:
            ASSERT_TRUE(PollUntil([&] { return FileText(File(L"all.csv")) != kOldExport; }, 10000));
            EXPECT_EQ(FileText(File(L"all.csv")),
                      "\xEF\xBB\xBF" + Utf8(L"用語,読み方,スペル,意味,グループ\r\none,,,,group01\r\nthree,,,,group03\r\n"));
            break;
        }
    }
    DeleteFileW(documents.c_str());
    EXPECT_EQ(session.Exit(), 0u);
}
