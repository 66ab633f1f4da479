#pragma once
// Writing a user's file so that a failure at any point leaves the previous
// file as it was, and keeping a copy of a file before it is replaced.
#include <string>
#include <string_view>

// The data goes to a temporary file beside path, under a name no other save
// uses while it exists; every write, the flush and the close are checked, and
// only then does it take the old file's place in one rename, after which the
// old file's attributes and creation time are put back. When path is a
// symbolic link, all of this happens beside the file it leads to, and the link
// stays. A replace refused for a moment (a scanner or indexer reading what was
// just written) is tried again for about a second. On failure path is as it
// was; a temporary file written in full is removed unless path is missing,
// when it may be the only copy left, and one not written in full always is.
bool ReplaceFileContent(const std::wstring& path, std::string_view data);

// For a file just read in full: removes the temporary files that saves cut
// off before their rename left beside it. The file holds what was last saved
// in full, and nothing ever offers them once it is there again.
void RemoveLeftTemporaries(const std::wstring& path);

// A save cut off before its rename: the file that is missing and the
// temporary file beside it that holds what was being written, by full name.
struct CutOffSave {
    std::wstring file;
    std::wstring left;  // empty when no temporary file was found
};
// For a file found missing: the newest temporary file a save left beside it
// after writing all of it; one cut off while written is never offered.
CutOffSave FindCutOffSave(const std::wstring& path);

// Copies path to path + suffix, or path + suffix + "2", "3", ... whichever
// is free first, never replacing a file. The copy's name, or empty when
// nothing could be copied.
std::wstring KeepCopyBeside(const std::wstring& path, const std::wstring& suffix);

// Whether a file name (without folder) is one these functions make beside the
// file named base: a temporary file of a replace, or a copy kept with suffix.
bool IsTemporaryFileOf(std::wstring_view name, std::wstring_view base);
bool IsKeptCopyOf(std::wstring_view name, std::wstring_view base, std::wstring_view suffix);
