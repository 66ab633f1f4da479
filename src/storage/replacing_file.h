#pragma once
// Writing a user's file so that a failure at any point leaves the previous
// file as it was, and keeping a copy of a file before it is replaced.
#include <string>
#include <string_view>

// The data goes to a temporary file beside path, every write and the close
// are checked, and only then is the old file replaced in one step (keeping
// its attributes, permissions and creation time). A replace refused for a
// moment (a scanner or indexer reading what was just written) is tried again
// for about a second. On failure the temporary file is already gone.
bool ReplaceFileContent(const std::wstring& path, std::string_view data);

// Copies path to path + suffix, or path + suffix + "2", "3", ... whichever
// is free first, never replacing a file. The copy's name, or empty when
// nothing could be copied.
std::wstring KeepCopyBeside(const std::wstring& path, const std::wstring& suffix);
