#pragma once
// Reading and writing wordHaven.ini, the byte image of both settings records.
#include "storage/replacing_file.h"

// 0 when the file was read and applied; -1 otherwise (defaults stay). When
// the file is missing and a save cut off before its rename left its content
// beside it, cutOff says where.
int LoadSettingsFile(CutOffSave* cutOff = nullptr);
// Whether the load found a file it could not use (unreadable, or not a
// settings image): the user is to be told. A missing file is no such thing.
bool SettingsFileRefused();
// 0 when the file was written; -1 when it was not (the old file is kept).
int SaveSettingsFile();

// Clamps window rectangles onto the real monitors from now on.
void UseSystemMonitorQuery();
