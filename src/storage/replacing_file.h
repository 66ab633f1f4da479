#pragma once
// Writes a file so that a failure at any point leaves the previous file as
// it was: the data goes to a temporary file beside it, every write and the
// close are checked, and only then is the old file replaced in one step.
#include <windows.h>

#include <cstddef>
#include <string>

#include "common/handles.h"

class ReplacingFileWriter {
public:
    explicit ReplacingFileWriter(std::wstring path);
    ~ReplacingFileWriter();  // removes the temporary file unless committed
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    bool Open();
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and puts the new file in place of the old one.
    bool Commit();

private:
    std::wstring path_;
    std::wstring temporaryPath_;
    FileHandle file_;
    bool failed_ = false;
    bool committed_ = false;
};
