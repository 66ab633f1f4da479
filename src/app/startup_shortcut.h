#pragma once
// "Windows 起動時に開始": a shortcut to this wordHaven.exe in the user's
// Startup folder, starting in the data folder the program uses now.
#include <string>

inline constexpr wchar_t kStartupShortcutName[] = L"wordHaven.lnk";

// Whether the Startup folder holds our shortcut and it starts this program
// in this data folder (a shortcut for another folder is not this one's to remove).
bool StartupShortcutPresent();
// Makes (or remakes) the shortcut; false when it could not be saved.
bool CreateStartupShortcut();
// Removes our shortcut; true when none is left.
bool RemoveStartupShortcut();
// Where the shortcut lives; empty when the Startup folder is unknown.
std::wstring StartupShortcutPath();
