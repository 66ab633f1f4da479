// Group files written from and read into a real word list.
#include "storage/group_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/bounded_copy.h"
#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/group_name_clash.h"
#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/word_list_host.h"
#include "ui/messages.h"

namespace {

using Row = std::vector<std::wstring>;

class GroupFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
    }
    std::wstring GroupPath() const { return folder_.File(L"group01.csv"); }
    std::string FileText() const {
        const std::vector<uint8_t> bytes = ReadFileBytes(GroupPath());
        return std::string(bytes.begin(), bytes.end());
    }
    void WriteFileText(const std::string& text) { WriteFileBytes(GroupPath(), {text.begin(), text.end()}); }
    // Empties the list and loads the group again.
    int Reload() {
        ListDeleteAll(host_.List());
        return LoadWordListFromGroupFile();
    }
    std::vector<Row> Rows() const {
        std::vector<Row> rows;
        for (int row = 0; row < ListRowCount(host_.List()); ++row) rows.push_back(host_.Row(row));
        return rows;
    }

    TestFolder folder_;
    WordListHost host_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

std::string AnsiOf(const std::wstring& text) {
    char bytes[256] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

}  // namespace

TEST_F(GroupFileTest, WorkedExampleIsWrittenByteForByteAndReadBackUnchanged) {
    const Row entry{L"a\"b", L"", L"x,y", L"first\r\nsecond"};
    host_.AddRow(entry);
    host_.AddRow({L"term", L"", L"", L""});
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText(), "\"a\"\"b\",\"\",\"x,y\",\"first\r\nsecond\"\n\"term\",\"\",\"\",\"\"\n");
    EXPECT_EQ(CountFiles(GroupPath() + L"*.tmp"), 0);

    ASSERT_EQ(Reload(), 0);
    EXPECT_EQ(Rows(), (std::vector<Row>{entry, {L"term", L"", L"", L""}}));
    EXPECT_EQ(appSettings.entryCounts[0], 2);
    EXPECT_EQ(ListGetKey(host_.List(), 1), 1) << "loaded rows are keyed by file position";
}

TEST_F(GroupFileTest, JapaneseIsWrittenInTheAnsiCodePageAndOtherTextAsUtf8) {
    if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    host_.AddRow({L"単語", L"たんご", L"tango", L"ことば。\r\n表現"});
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText(), "\"" + AnsiOf(L"単語") + "\",\"" + AnsiOf(L"たんご") + "\",\"tango\",\"" +
                              AnsiOf(L"ことば。\r\n表現") + "\"\n");

    // Hangul and an emoji have no place in code page 932: the whole file goes to UTF-8.
    host_.AddRow({L"한국어", L"", L"😀", L"café"});
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(FileText().find("\"\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4\""), std::string::npos);
    const std::vector<Row> before = Rows();
    ASSERT_EQ(Reload(), 0);
    EXPECT_EQ(Rows(), before);
}

// Run a second time by ctest with a Western code page (1252), as on an English Windows.
TEST_F(GroupFileTest, OnAWesternCodePageJapaneseSurvivesAsUtf8) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs code page 1252";
    const Row japanese{L"単語", L"たんご", L"tango", L"ことば"};
    host_.AddRow(japanese);
    host_.AddRow({L"café", L"", L"", L""});
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText().substr(0, 3), "\xEF\xBB\xBF");
    ASSERT_EQ(Reload(), 0);
    EXPECT_EQ(Rows(), (std::vector<Row>{japanese, {L"café", L"", L"", L""}}));

    ListDeleteRow(host_.List(), 0);
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText(), "\xEF\xBB\xBF\"caf\xC3\xA9\",\"\",\"\",\"\"\n") << "a UTF-8 file stays UTF-8";
}

TEST_F(GroupFileTest, SpreadsheetStyleFilesLoadByTheTolerantRules) {
    WriteFileText("plain,unquoted, with spaces ,last\r\n\r\n\"\",dropped\r\n,also dropped\r\nab\"c,d\"e\r\n"
                  "\"x\",\"y\"\r\n\"six\",\"b\",\"c\",\"d\",\"e\r\nmore\",\"f\"\r\nend");
    ASSERT_EQ(Reload(), 0);
    EXPECT_EQ(Rows(), (std::vector<Row>{{L"plain", L"unquoted", L" with spaces ", L"last"},
                                        {L"abc,de", L"", L"", L""},
                                        {L"x", L"y", L"", L""},
                                        {L"six", L"b", L"c", L"d"},
                                        {L"end", L"", L"", L""}}));
    EXPECT_EQ(appSettings.entryCounts[0], 5) << "a last line without a line end counts";
}

TEST_F(GroupFileTest, MoreThan20000RecordsAreShownButTheCountIsKept) {
    std::string text;
    for (int i = 0; i < 20001; ++i) text += "\"t" + std::to_string(i) + "\",\"\",\"\",\"\"\n";
    WriteFileText(text);
    appSettings.entryCounts[0] = 7;
    ASSERT_EQ(Reload(), 0);
    EXPECT_EQ(ListRowCount(host_.List()), 20001);
    EXPECT_EQ(appSettings.entryCounts[0], 7);
}

TEST_F(GroupFileTest, MissingAndEmptyFilesGiveAnEmptyGroup) {
    appSettings.entryCounts[0] = 9;
    EXPECT_EQ(Reload(), -1);
    EXPECT_EQ(appSettings.entryCounts[0], 0);
    EXPECT_FALSE(FileExists(GroupPath()));

    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_TRUE(FileExists(GroupPath()));
    EXPECT_TRUE(ReadFileBytes(GroupPath()).empty()) << "an empty list saves as an empty file";
    appSettings.entryCounts[0] = 9;
    EXPECT_EQ(Reload(), 0);
    EXPECT_EQ(appSettings.entryCounts[0], 0);
    EXPECT_TRUE(messages_->empty());
}

TEST_F(GroupFileTest, FailedSaveKeepsThePreviousFile) {
    WriteFileText("\"old\",\"\",\"\",\"\"\n");
    host_.AddRow({L"new", L"", L"", L""});
    HANDLE held = CreateFileW(GroupPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SaveWordListToGroupFile(), -1);
    CloseHandle(held);
    ASSERT_EQ(messages_->size(), 1u);
    EXPECT_EQ(messages_->front().text, L"csvファイルオープンに失敗しました");
    EXPECT_EQ(FileText(), "\"old\",\"\",\"\",\"\"\n");
    EXPECT_EQ(CountFiles(GroupPath() + L"*.tmp"), 0);
}

TEST_F(GroupFileTest, AFileThatCouldNotBeReadIsNeverOverwritten) {
    WriteFileText("\"kept\",\"\",\"\",\"\"\n");
    appSettings.entryCounts[0] = 1;
    appSettings.languageIndex = 0;
    HANDLE held = CreateFileW(GroupPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Reload(), -1);
    CloseHandle(held);
    ASSERT_EQ(messages_->size(), 1u);
    EXPECT_EQ(messages_->front().text, L"CSV file could not be created or opened");
    EXPECT_EQ(appSettings.entryCounts[0], 1) << "the count is left alone";
    EXPECT_EQ(ListRowCount(host_.List()), 0);

    EXPECT_EQ(SaveWordListToGroupFile(), -1) << "saving the empty list would wipe the unseen entries";
    EXPECT_EQ(messages_->size(), 2u);
    EXPECT_EQ(FileText(), "\"kept\",\"\",\"\",\"\"\n");

    ASSERT_EQ(Reload(), 0);
    host_.AddRow({L"more", L"", L"", L""});
    EXPECT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText(), "\"kept\",\"\",\"\",\"\"\n\"more\",\"\",\"\",\"\"\n");
}

TEST_F(GroupFileTest, ASaveReplacesTheFileButKeepsWhatWindowsKnowsOfIt) {
    WriteFileText("\"old\",\"\",\"\",\"\"\n");
    SetFileAttributesW(GroupPath().c_str(), FILE_ATTRIBUTE_HIDDEN);
    const FILETIME created{0x12345600, 0x01C00000};  // in 2001
    HANDLE file = CreateFileW(GroupPath().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, &created, nullptr, nullptr);
    CloseHandle(file);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(GroupPath().c_str(), GetFileExInfoStandard, &data));
    // Wine on Linux has nowhere to keep a creation time; Windows keeps it.
    const bool creationKept = data.ftCreationTime.dwHighDateTime == created.dwHighDateTime;
    ASSERT_EQ(LoadWordListFromGroupFile(), 0);
    host_.AddRow({L"new", L"", L"", L""});
    ASSERT_EQ(SaveWordListToGroupFile(), 0);
    EXPECT_EQ(FileText(), "\"old\",\"\",\"\",\"\"\n\"new\",\"\",\"\",\"\"\n");
    ASSERT_TRUE(GetFileAttributesExW(GroupPath().c_str(), GetFileExInfoStandard, &data));
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
    if (creationKept) {
        EXPECT_EQ(data.ftCreationTime.dwLowDateTime, created.dwLowDateTime);
    }
}

TEST_F(GroupFileTest, AMissingFileNamesOnlyATemporaryFileOfItsOwnSave) {
    WriteFileBytes(folder_.File(L"group01.csv.orig"), {'x'});
    WriteFileBytes(folder_.File(L"group01.csv2.csv.1-1.tmp"), {'x'});  // another group's
    EXPECT_EQ(Reload(), -1);
    EXPECT_TRUE(messages_->empty());

    WriteFileBytes(folder_.File(L"group01.csv.2a-7.tmp"), {'y'});
    EXPECT_EQ(Reload(), -1);
    ASSERT_EQ(messages_->size(), 1u);
    EXPECT_NE(messages_->front().text.find(GroupPath() + L"\n"), std::wstring::npos);
    EXPECT_NE(messages_->front().text.find(L"group01.csv.2a-7.tmp"), std::wstring::npos);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(GroupFileTest, AChangeByAnotherProgramIsToldByItsBytesNotItsTime) {
    WriteFileText("\"one\",\"\",\"\",\"\"\n");
    ASSERT_EQ(Reload(), 0);
    EXPECT_FALSE(GroupFileChangedOnDisk());

    // Written again with the same bytes and a later time: no change.
    WriteFileText("\"one\",\"\",\"\",\"\"\n");
    HANDLE file = CreateFileW(GroupPath().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t tenSecondsOn = (uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) + 100'000'000;
    const FILETIME later{static_cast<DWORD>(tenSecondsOn), static_cast<DWORD>(tenSecondsOn >> 32)};
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
    EXPECT_FALSE(GroupFileChangedOnDisk());

    // Other bytes of the same size: a change; the save keeps the file as it stood.
    WriteFileText("\"two\",\"\",\"\",\"\"\n");
    EXPECT_TRUE(GroupFileChangedOnDisk());
    GroupFileReport report;
    std::vector<GlossaryEntry> entries(1);
    entries[0].texts[0] = L"mine";
    ASSERT_EQ(SaveGroupFile(entries, report), 0);
    EXPECT_TRUE(report.keptBecauseChanged);
    EXPECT_EQ(report.keptCopy.substr(report.keptCopy.size() - 16), L"group01.csv.orig");
    const std::vector<uint8_t> kept = ReadFileBytes(GroupPath() + L".orig");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "\"two\",\"\",\"\",\"\"\n");
    EXPECT_EQ(FileText(), "\"mine\",\"\",\"\",\"\"\n");
    EXPECT_FALSE(GroupFileChangedOnDisk()) << "what the save wrote is what it saw";
    EXPECT_TRUE(messages_->empty()) << "storage tells nothing itself";
}

TEST_F(GroupFileTest, ATextCutOnLoadIsToldOnceWithTheOriginalKept) {
    const std::string original = "\"long\",\"\",\"\",\"" + std::string(5000, 'x') + "\"\n\"short\",\"\",\"\",\"\"\n";
    WriteFileText(original);
    const std::wstring told = reinterpret_cast<const wchar_t*>(DescribeMessage(Message::LongTextsCut, 1).text);
    auto toldCount = [&] {
        return std::count_if(messages_->begin(), messages_->end(), [&](const RecordedMessage& m) {
            return m.text.find(told) == 0 && m.text.find(L"group01") != std::wstring::npos &&
                   m.text.find(L"group01.csv.orig") != std::wstring::npos;
        });
    };
    Reload();
    EXPECT_EQ(toldCount(), 1) << "the group and the kept original are named";
    EXPECT_EQ(host_.Row(0)[3].size(), kEntryTextMaxUnits);
    EXPECT_EQ(ReadFileBytes(GroupPath() + L".orig"), std::vector<uint8_t>(original.begin(), original.end()));
    Reload();
    EXPECT_EQ(toldCount(), 1) << "once for this content";
    SaveWordListToGroupFile({});
    EXPECT_FALSE(FileExists(GroupPath() + L".orig2")) << "the original is kept once";
}

TEST(GroupNameClash, ALaterSlotLeadingToAnEarlierOnesFileTakesAnUnusedDefaultName) {
    AppSettings settings = DefaultAppSettings();
    CopyBounded(settings.groupNames[0], u"group02");
    CopyBounded(settings.groupNames[3], u"Words");
    CopyBounded(settings.groupNames[5], u"WORDS");
    const std::vector<SeparatedSlot> separated = SeparateSlotsSharingAFile(settings);
    ASSERT_EQ(separated.size(), 2u);
    EXPECT_EQ(separated[0].slot, 1);
    EXPECT_EQ(std::u16string(settings.groupNames[1]), u"group02-2") << "its own default is slot 0's name";
    EXPECT_EQ(separated[1].slot, 5);
    EXPECT_EQ(separated[1].formerName, u"WORDS");
    EXPECT_EQ(std::u16string(settings.groupNames[5]), u"group06");
    EXPECT_EQ(std::u16string(settings.groupNames[3]), u"Words");
}
