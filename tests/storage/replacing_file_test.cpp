// Saves by one rename on the real file system, of files behind symbolic links.
#include "storage/replacing_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "storage/daily_backup.h"
#include "storage/group_file.h"
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

}  // namespace

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
