#pragma once
// The first time each day that a group file or the settings file is
// replaced, the version being replaced is copied to backup\YYYY-MM-DD\ beside
// it; the newest 14 days with backups are kept. A backup never stops a save.
#include <string>
#include <string_view>

#include "storage/backup_days.h"

// Called just before path is replaced with newContent. Does nothing for other
// files, when nothing would change, or when today's copy is already there.
// False when another program holds the file so that it cannot be read: call
// again while the replace waits, and TellBackupNotMade if it goes ahead anyway.
bool BackUpBeforeReplacing(const std::wstring& path, std::string_view newContent);
void TellBackupNotMade(const std::wstring& path);

// Today's date; tests set their own day. Null goes back to the system's local date.
using BackupDayClock = CalendarDay (*)();
void SetBackupDayClock(BackupDayClock clock);

// The first failure of a run is handed to the teller, once: the program
// tells it after the save it came with (it posts it to its main window).
using BackupFailureTeller = void (*)(const std::wstring& failedFile);
void SetBackupFailureTeller(BackupFailureTeller teller);
// A new run for the tests: the next failure is told again.
void ResetBackupFailureNotice();
