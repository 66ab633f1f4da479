#include "storage/replacing_file.h"

#include <utility>

ReplacingFileWriter::ReplacingFileWriter(std::wstring path)
    : path_(std::move(path)), temporaryPath_(path_ + L".tmp") {}

ReplacingFileWriter::~ReplacingFileWriter() {
    file_.Reset();
    if (!committed_) DeleteFileW(temporaryPath_.c_str());
}

bool ReplacingFileWriter::Open() {
    file_.Reset(CreateFileW(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    failed_ = !file_.Valid();
    return !failed_;
}

bool ReplacingFileWriter::Write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (!failed_ && size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes, chunk, &written, nullptr) || written == 0) {
            failed_ = true;
            break;
        }
        bytes += written;
        size -= written;
    }
    return !failed_;
}

bool ReplacingFileWriter::Commit() {
    if (failed_ || !file_.Valid()) return false;
    // A file the user made read-only is not to be written, as opening it for
    // writing would have refused; replacing it by renaming must refuse too.
    const DWORD existing = GetFileAttributesW(path_.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    const bool flushed = FlushFileBuffers(file_.Get()) != FALSE;
    const bool closed = CloseHandle(file_.Release()) != FALSE;
    if (!flushed || !closed) return false;
    committed_ = MoveFileExW(temporaryPath_.c_str(), path_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    return committed_;
}
