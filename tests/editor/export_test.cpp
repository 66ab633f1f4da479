// Exports written in the test process on the real file system: no spelling of
// one of the program's own files is ever written, and groups whose files
// cannot be read are named before anything is written.
#include "editor/export_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bounded_copy.h"
#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "ui/messages.h"

namespace {

const std::string kOldExport = "an older export";

std::wstring TextOf(Message message) { return reinterpret_cast<const wchar_t*>(DescribeMessage(message, 1).text); }

class ExportTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
        for (const wchar_t* sub : {L"backup", L"backup\\2024-01-01", L"elsewhere"}) {
            CreateDirectoryW(folder_.File(sub).c_str(), nullptr);
        }
        Write(L"group01.csv", "\"one\",\"\",\"\",\"\"\n");
        Write(L"group02.csv", "\"two\",\"\",\"\",\"\"\n");
        Write(L"group03.csv", "\"three\",\"\",\"\",\"\"\n");
        Write(L"wordHaven.ini", "settings");
        Write(L"backup\\2024-01-01\\group01.csv", "backed up");
    }
    void Write(const std::wstring& name, const std::string& text) {
        WriteFileBytes(folder_.File(name), {text.begin(), text.end()});
    }
    bool Export(const std::wstring& name, bool allGroups) {
        return ExportGlossaryTo(nullptr, folder_.File(name), ExportKind::Spreadsheet, allGroups);
    }

    TestFolder folder_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

}  // namespace

TEST_F(ExportTest, NoSpellingOfTheProgramsOwnFilesIsWritten) {
    CopyBounded(appSettings.groupNames[4], u"a group with a long name");
    Write(L"a group with a long name.csv", "long");
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(folder_.File(L"a group with a long name.csv").c_str(), shortPath, MAX_PATH), 0u);
    const std::wstring shortName = std::wstring(shortPath).substr(std::wstring(shortPath).find_last_of(L'\\') + 1);
    ASSERT_TRUE(CreateHardLinkW(folder_.File(L"elsewhere\\linked.csv").c_str(), folder_.File(L"group03.csv").c_str(),
                                nullptr));
    const struct {
        const char* what;
        std::wstring name;
        bool own;
    } rows[] = {
        {"the current group's file", L"group01.csv", true},
        {"another group's file in other letter case", L"GROUP03.CSV", true},
        {"the file of a group that has none yet", L"group64.csv", true},
        {"the settings file", L"wordHaven.ini", true},
        {"the site file", L"WordHaven-Sites.TXT", true},
        {"the logoff notes", L"wordHaven-logoff.txt", true},
        {"a backup", L"backup\\2024-01-01\\group01.csv", true},
        {"a new file in the backup folder", L"backup\\new.csv", true},
        {"a kept original", L"group01.csv.orig2", true},
        {"a kept settings file", L"wordHaven.ini.bad", true},
        {"a save's temporary file", L"group02.csv.1f-2a.tmp", true},
        {"a way round through another folder", L"elsewhere\\..\\group01.csv", true},
        {"trailing dots and spaces, which Windows drops", L"group01.csv. .", true},
        {"a stream of a group file", L"group01.csv:extra", true},
        {"a group file by its short name", shortName, true},
        {"a hard link to a group file", L"elsewhere\\linked.csv", true},
        {"a new name", L"cards.csv", false},
        {"a group's file name with more after it", L"group01.csv.txt", false},
        {"a group's file name in another folder", L"elsewhere\\group01.csv", false},
        {"a name that starts like the backup folder", L"backup.csv", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto before = FilesUnder(folder_.Path());
        messages_->clear();
        EXPECT_EQ(Export(row.name, false), !row.own);
        if (row.own) {
            const std::wstring refusal = TextOf(Message::ExportTargetIsOwnFile) + L"\n" + folder_.File(row.name);
            EXPECT_EQ(messages_->size() == 1 ? messages_->front().text : std::wstring(), refusal);
            EXPECT_EQ(FilesUnder(folder_.Path()), before);
        } else {
            EXPECT_TRUE(messages_->empty());
            EXPECT_EQ(FileText(folder_.File(row.name)).substr(0, 3), "\xEF\xBB\xBF");
            DeleteFileW(folder_.File(row.name).c_str());
        }
    }
}

TEST_F(ExportTest, GroupsThatCannotBeReadAreNamedAndTheUserDecides) {
    // Longer than an entry of the list holds: a group that is not open goes out from its file.
    const std::string longMeaning(4100, 'x');
    const std::string kTwo = "\"two\",\"\",\"\",\"\"\n";
    const struct {
        const char* what;
        bool holdSecondGroup;
        bool allGroups;
        int answer;
        std::string expected;  // the target afterwards
        std::string secondGroup;
    } rows[] = {
        {"nothing held: groups without a file are only empty", false, true, IDOK,
         "one,,,,group01\r\ntwo,,,,group02\r\nthree,,,,group03\r\n", kTwo},
        {"No writes nothing", true, true, IDNO, kOldExport, kTwo},
        {"Yes writes the others", true, true, IDYES, "one,,,,group01\r\nthree,,,,group03\r\n", kTwo},
        {"the current group alone, No", true, false, IDNO, kOldExport, kTwo},
        {"a text of 4100 characters in a group read from its file goes out whole", false, true, IDOK,
         "one,,,,group01\r\ntwo,,," + longMeaning + ",group02\r\nthree,,,,group03\r\n",
         "\"two\",\"\",\"\",\"" + longMeaning + "\"\n"},
    };
    appSettings.currentGroup = 1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Write(L"all.csv", kOldExport);
        Write(L"group02.csv", row.secondGroup);
        messages_->clear();
        AnswerMessagesWith(row.answer);
        {
            const FileHandle held = row.holdSecondGroup ? HoldShut(folder_.File(L"group02.csv")) : FileHandle();
            EXPECT_EQ(Export(L"all.csv", row.allGroups), row.answer != IDNO);
        }
        const std::string written = FileText(folder_.File(L"all.csv"));
        const size_t header = written.find("\r\n") + 2;
        EXPECT_EQ(written == kOldExport ? written : written.substr(header), row.expected);
        if (row.holdSecondGroup) {
            ASSERT_EQ(messages_->size(), 1u);
            EXPECT_EQ(messages_->front().text, TextOf(Message::ExportGroupsUnreadable) + L"\ngroup02 (" +
                                                    folder_.File(L"group02.csv") + L")");
            EXPECT_EQ(messages_->front().flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
        } else {
            EXPECT_TRUE(messages_->empty());
        }
    }
}
