#pragma once
// A folder laid out as a row of a test's table says: files with their bytes
// and Unix symbolic links; then the bytes files are to hold after.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/host_files.h"
#include "support/test_folder.h"

using FileBytes = std::vector<std::pair<std::wstring, std::string>>;
using Links = std::vector<std::pair<std::wstring, std::wstring>>;  // link, and where it leads
// The bytes of each named file, or none when it is to be gone.
using FilesAfter = std::vector<std::pair<std::wstring, std::optional<std::string>>>;

// Names are relative to the folder; the links go with the object.
class LaidOutFolder {
public:
    LaidOutFolder(const TestFolder& folder, const FileBytes& files, const Links& links = {});
    bool Made() const;
    // The files' bytes, and every link still leading where it did.
    void Expect(const FilesAfter& after) const;

private:
    const TestFolder& folder_;
    Links links_;
    std::vector<std::unique_ptr<HostLink>> made_;
};
