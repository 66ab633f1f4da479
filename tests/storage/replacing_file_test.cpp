// Saves by one rename on the real file system: what a save cut off before its
// rename leaves, what the next load makes of it, and files behind symbolic links.
#include "storage/replacing_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "storage/daily_backup.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "support/host_files.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"

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
    void Put(const std::wstring& name, const std::string& text) { WriteFileBytes(folder_.File(name), {text.begin(), text.end()}); }

    TestFolder folder_;
};

std::string SettingsImage() {
    std::vector<uint8_t> image(kSettingsFileSize);
    WriteSettingsImage(DefaultAppSettings(), DefaultViewLayout(), image.data());
    return std::string(image.begin(), image.end());
}

}  // namespace

// Each row is a file found beside a group file and beside the settings file:
// whether a load offers it for restore while the file is missing, and whether
// a load that reads the file in full removes it.
TEST_F(ReplacingFileTest, LeftTemporaryFilesAreOfferedOnlyWhenWrittenAndGoOnceTheFileIsRead) {
    struct Row {
        const wchar_t* ending;
        bool offered;
        bool removed;
    };
    const Row rows[] = {
        {L".1f-2a.tmp", true, true},     // written in full, cut off before its rename
        {L".tmp", true, true},           // as earlier versions named it
        {L".1f-2b.part", false, true},   // cut off while written
        {L".mine.tmp", false, false},    // the user's
        {L".1f-2c.tmp.bak", false, false},
        {L"x.1f-2d.tmp", false, false},  // another file's
    };
    struct Kind {
        const wchar_t* name;
        std::string content;
        std::function<CutOffSave()> load;
    };
    const Kind kinds[] = {
        {L"group01.csv", "\"a\",\"\",\"\",\"\"\n",
         [] {
             std::vector<GlossaryEntry> entries;
             GroupFileReport report;
             LoadGroupFile(entries, report);
             return report.cutOff;
         }},
        {L"wordHaven.ini", SettingsImage(),
         [] {
             CutOffSave cutOff;
             LoadSettingsFile(&cutOff);
             return cutOff;
         }},
    };
    for (const Kind& kind : kinds) {
        for (const Row& row : rows) {
            const std::wstring left = kind.name + std::wstring(row.ending);
            SCOPED_TRACE(Utf8(left));
            Put(left, "left");
            EXPECT_EQ(kind.load().left, row.offered ? folder_.File(left) : L"");
            EXPECT_EQ(FileText(folder_.File(left)), "left") << "never removed while the file is missing";
            Put(kind.name, kind.content);
            kind.load();
            EXPECT_EQ(FileExists(folder_.File(left)), !row.removed);
            DeleteFileW(folder_.File(left).c_str());
            DeleteFileW(folder_.File(kind.name).c_str());
        }
    }
    // Under Wine deleting a link deletes the file it leads to.
    Put(L"mine.txt", "mine");
    Put(L"group01.csv", "\"a\",\"\",\"\",\"\"\n");
    HostLink link(folder_.File(L"mine.txt"), folder_.File(L"group01.csv.1f-2e.tmp"));
    ASSERT_TRUE(link.Made());
    kinds[0].load();
    EXPECT_EQ(FileText(folder_.File(L"mine.txt")), "mine");
}

TEST_F(ReplacingFileTest, ASaveThroughASymbolicLinkReplacesTheFileItLeadsToAndTheLinkStays) {
    CreateDirectoryW(folder_.File(L"cloud").c_str(), nullptr);
    std::vector<std::unique_ptr<HostLink>> links;
    for (const std::wstring name : {L"group01.csv", L"wordHaven.ini"}) {
        SCOPED_TRACE(Utf8(name));
        const std::wstring cloud = folder_.File(L"cloud\\" + name);
        WriteFileBytes(cloud, {'o', 'l', 'd'});
        links.push_back(std::make_unique<HostLink>(cloud, folder_.File(name)));
        ASSERT_TRUE(links.back()->Made());
        ASSERT_TRUE(ReplaceFileContent(folder_.File(name), "new"));
        EXPECT_EQ(FileText(cloud), "new");
        EXPECT_EQ(ReachedPathOf(folder_.File(name)), ReachedPathOf(cloud)) << "still a link";
        for (const std::wstring& beside : {cloud, folder_.File(name)}) {
            EXPECT_EQ(CountFiles(beside + L".*.tmp") + CountFiles(beside + L".*.part"), 0) << "no temporary file left";
        }
        EXPECT_EQ(FileText(folder_.File(L"backup\\2026-12-07\\" + name)), "old") << "kept under the link's name";
    }
    // Another program writing the file the group's link leads to changes the group.
    std::vector<GlossaryEntry> entries(1);
    entries[0].texts[0] = L"mine";
    GroupFileReport report;
    ASSERT_EQ(SaveGroupFile(entries, report), 0);
    EXPECT_FALSE(GroupFileChangedOnDisk());
    WriteFileBytes(folder_.File(L"cloud\\group01.csv"), {'o', 't', 'h', 'e', 'r'});
    EXPECT_TRUE(GroupFileChangedOnDisk());
}
