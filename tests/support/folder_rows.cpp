#include "support/folder_rows.h"

#include <gtest/gtest.h>

LaidOutFolder::LaidOutFolder(const TestFolder& folder, const FileBytes& files, const Links& links)
    : folder_(folder), links_(links) {
    for (const auto& [name, bytes] : files) PutFile(folder.File(name), bytes);
    for (const auto& [link, target] : links) made_.push_back(std::make_unique<HostLink>(folder.File(target), folder.File(link)));
}

bool LaidOutFolder::Made() const {
    for (const auto& link : made_) {
        if (!link->Made()) return false;
    }
    return true;
}

void LaidOutFolder::Expect(const FilesAfter& after) const {
    for (const auto& [name, bytes] : after) {
        if (bytes) {
            EXPECT_TRUE(FileText(folder_.File(name)) == *bytes) << Utf8(name) << " does not hold its bytes";
        } else {
            EXPECT_FALSE(FileExists(folder_.File(name))) << Utf8(name) << " is still there";
        }
    }
    for (const auto& [link, target] : links_) {
        EXPECT_EQ(ReachedPathOf(folder_.File(link)), ReachedPathOf(folder_.File(target))) << Utf8(link) << " is no link";
    }
}
