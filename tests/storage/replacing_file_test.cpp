// Saves by one rename on the real file system: files behind symbolic links,
// and what a save cut off before its rename leaves for the next load.
#include "storage/replacing_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/daily_backup.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "support/folder_rows.h"
#include "support/recorded_messages.h"

namespace {

CalendarDay TestDay() { return {2026, 12, 7}; }

class ReplacingFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        StartFromDefaults();
        SetBackupDayClock(TestDay);
    }
    void TearDown() override { SetBackupDayClock(nullptr); }

    TestFolder folder_;
};

}  // namespace

TEST_F(ReplacingFileTest, ASaveThroughASymbolicLinkReplacesTheFileItLeadsToAndTheLinkStays) {
    LaidOutFolder laidOut(folder_, {{L"cloud\\group01.csv", "old"}, {L"cloud\\wordHaven.ini", "old"}},
                          {{L"group01.csv", L"cloud\\group01.csv"}, {L"wordHaven.ini", L"cloud\\wordHaven.ini"}});
    ASSERT_TRUE(laidOut.Made());
    for (const wchar_t* name : {L"group01.csv", L"wordHaven.ini"}) ASSERT_TRUE(ReplaceFileContent(folder_.File(name), "new"));
    laidOut.Expect({{L"cloud\\group01.csv", "new"}, {L"cloud\\wordHaven.ini", "new"},
                    {L"backup\\2026-12-07\\group01.csv", "old"}, {L"backup\\2026-12-07\\wordHaven.ini", "old"}});
    EXPECT_EQ(CountFiles(folder_.File(L"*.tmp")) + CountFiles(folder_.File(L"cloud\\*.tmp")), 0);
}

// Each row is a file found beside a group file and beside the settings file:
// whether a load offers it while the file is missing, and whether a load that
// reads the file in full removes it.
TEST_F(ReplacingFileTest, LeftTemporaryFilesAreOfferedOnlyWhenWrittenAndGoOnceTheFileIsRead) {
    const struct {
        const wchar_t* ending;
        bool offered, removed;
    } rows[] = {
        {L".1f-2a.tmp", true, true},     // written in full, cut off before its rename
        {L".tmp", true, true},           // as earlier versions named it
        {L".1f-2b.part", false, true},   // cut off while written
        {L".mine.tmp", false, false},    // the user's
        {L".1f-2c.tmp.bak", false, false},
        {L"x.1f-2d.tmp", false, false},  // another file's
    };
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(DefaultAppSettings(), DefaultViewLayout(), image.data());
    const struct {
        const wchar_t* name;
        std::string content;
        std::function<CutOffSave()> load;
    } kinds[] = {
        {L"group01.csv", "\"a\",\"\",\"\",\"\"\n",
         [] {
             std::vector<GlossaryEntry> entries;
             GroupFileReport report;
             LoadGroupFile(entries, report);
             return report.cutOff;
         }},
        {L"wordHaven.ini", std::string(image.begin(), image.end()),
         [] {
             CutOffSave cutOff;
             LoadSettingsFile(&cutOff);
             return cutOff;
         }},
    };
    for (const auto& kind : kinds) {
        for (const auto& row : rows) {
            const std::wstring left = folder_.File(kind.name + std::wstring(row.ending));
            SCOPED_TRACE(Utf8(left));
            PutFile(left, "left");
            EXPECT_EQ(kind.load().left, row.offered ? left : L"");
            EXPECT_TRUE(FileExists(left)) << "never removed while the file is missing";
            PutFile(folder_.File(kind.name), kind.content);
            kind.load();
            EXPECT_EQ(FileExists(left), !row.removed);
            DeleteFileW(left.c_str());
            DeleteFileW(folder_.File(kind.name).c_str());
        }
    }
    // Under Wine deleting a link deletes the file it leads to.
    LaidOutFolder laidOut(folder_, {{L"mine.txt", "mine"}, {L"group01.csv", ""}}, {{L"group01.csv.1f-2e.tmp", L"mine.txt"}});
    ASSERT_TRUE(laidOut.Made());
    kinds[0].load();
    laidOut.Expect({{L"mine.txt", "mine"}});
}
