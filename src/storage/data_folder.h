#pragma once
// The folder the program keeps its files in: the folder it was started in,
// taken once at start as a full path. The Save As dialog changes the process's
// current directory while the user browses, so no data path may follow it.
#include <string>
#include <string_view>

// The program's files in the data folder, besides the groups' NAME.csv files,
// the settings file (kSettingsFileName) and the backup folder.
inline constexpr wchar_t kSiteFileName[] = L"wordHaven-sites.txt";
inline constexpr wchar_t kSessionEndNotesFileName[] = L"wordHaven-logoff.txt";

// Takes the current directory as the data folder; called once at start.
void FixDataFolder();
// The data folder, a full path ending in a backslash. Before FixDataFolder
// (the in-process tests) it is the current directory of the moment.
std::wstring DataFolder();
// A file of the data folder, by its name.
std::wstring DataFilePath(std::wstring_view name);
// Whether a full path names this file or a file inside this folder, compared
// as Windows compares names (without letter case).
bool SameFilePath(std::wstring_view a, std::wstring_view b);
bool IsInsideFolder(std::wstring_view path, std::wstring_view folderWithSlash);
// The full path of a path, with "." and ".." resolved; empty when it has none.
std::wstring FullPathOf(const std::wstring& path);
