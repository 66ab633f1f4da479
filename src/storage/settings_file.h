#pragma once
// Reading and writing wordHaven.ini, the byte image of both settings records.
#include "storage/replacing_file.h"

// 0 when the file was read and applied; -1 otherwise (defaults stay). When
// the file is missing and a save cut off before its rename left its content
// beside it, cutOff says where.
int LoadSettingsFile(CutOffSave* cutOff = nullptr);
// Whether the load found a file whose content is not a settings image: the
// user is to be told, and the file is kept as .bad before it is replaced. A
// missing file is no such thing.
bool SettingsFileRefused();
// Whether the load found a file it could not read (held by another program,
// access denied): the user is to be told, and the file, which may hold every
// group name, is never replaced by this run's settings.
bool SettingsFileUnreadable();
// The settings file's full path.
std::wstring SettingsFilePath();
// 0 when the file was written, or left alone as unreadable at start; -1 when
// it was not (the old file is kept).
int SaveSettingsFile();

// Clamps window rectangles onto the real monitors from now on.
void UseSystemMonitorQuery();
