#pragma once
// Where a path really leads, symbolic links and junctions followed as the
// system follows them when it opens the path.
#include <windows.h>

#include <string>

// The full path the system reaches when it opens path, every link and
// junction on the way followed; empty when it cannot be opened or asked.
std::wstring ReachedPath(const std::wstring& path);

// Whether the entry name, listed in folder with these attributes, is a file
// or folder of its own there and not a link or junction leading elsewhere.
// folderReached is ReachedPath(folder). Windows marks links with a reparse
// point; under Wine a Unix link to a file is not marked, but opening it
// reaches the file it leads to, and deleting it deletes that file.
bool IsOwnEntry(const std::wstring& folder, const std::wstring& folderReached, const std::wstring& name,
                DWORD attributes);
