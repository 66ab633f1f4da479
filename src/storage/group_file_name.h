#pragma once
// What may stand in a group's name, which is also its file's name.
// Portable: no Windows headers.
#include <cstddef>
#include <string_view>

inline constexpr std::size_t kGroupNameMaxUnits = 127;

// True for a unit that may stand in both long and short file names (the
// platform decides); the space has rules of its own.
using NameCharClassifier = bool (*)(char16_t unit);

// The platform's verdict (Windows build only): valid in both long and short file names.
bool IsNameSafeCharacter(char16_t unit);

// A name that keeps its group file inside the data folder and off devices:
// only spaces and name-safe characters, not a reserved device name (with or
// without an extension), not ending in a dot or a space, not empty.
bool IsSafeGroupName(std::u16string_view name, NameCharClassifier isNameSafe);
