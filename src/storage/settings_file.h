#pragma once
// Reading and writing wordHaven.ini, the byte image of both settings records.

// Prefix of every data file name: the process's current directory.
inline constexpr wchar_t kDataDirectoryPrefix[] = L".\\";

// 0 when the file was read and applied; -1 otherwise (defaults stay).
int LoadSettingsFile();
// 0 when the file was written; -1 after showing the failure (old file kept).
int SaveSettingsFile();

// Clamps window rectangles onto the real monitors from now on.
void UseSystemMonitorQuery();
