#pragma once
// The files only the program itself may write: in the data folder, the file
// of every group's name (whether it exists yet or not), the settings file,
// the site file, the logoff notes, everything under backup\, and the copies
// and temporary files the program keeps beside them.
#include <string>

// Whether writing to path would write one of them. Both sides are compared as
// the file system names them (short names made long, links followed, without
// letter case), and a file that exists is also compared by identity, so a
// hard link to one of them counts as that file.
bool IsOwnFile(const std::wstring& path);
