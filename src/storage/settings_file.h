#pragma once
// Reading and writing wordHaven.ini, the byte image of both settings records.
#include "storage/replacing_file.h"

// Prefix of every data file name: the process's current directory.
inline constexpr wchar_t kDataDirectoryPrefix[] = L".\\";

// 0 when the file was read and applied; -1 otherwise (defaults stay). When
// the file is missing and a save cut off before its rename left its content
// beside it, cutOff says where.
int LoadSettingsFile(CutOffSave* cutOff = nullptr);
// 0 when the file was written; -1 after showing the failure (old file kept).
int SaveSettingsFile();

// Clamps window rectangles onto the real monitors from now on.
void UseSystemMonitorQuery();
