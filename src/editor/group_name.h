#pragma once
// What may stand in a group's name, which is also its file's name, and what
// the rename field becomes after each keystroke. Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kGroupNameMaxUnits = 127;

// True for a unit that may stand in both long and short file names (the
// platform decides); the space has rules of its own.
using NameCharClassifier = bool (*)(char16_t unit);

enum class GroupNameKeystroke { Space, NameSafe, Other };

GroupNameKeystroke ClassifyGroupNameKeystroke(char16_t typed, NameCharClassifier isNameSafe);

struct GroupNameEdit {
    bool replaceText;     // set the field to text and put the caret at caret
    std::u16string text;
    std::size_t caret;
    bool enableApply;
};

// Decides the field after the edit control has taken the keystroke: before
// and after are the field's texts (each at most 127 units), selectionStart
// where the selection began before the keystroke.
GroupNameEdit DecideGroupNameEdit(GroupNameKeystroke kind, char16_t typed, std::u16string_view before,
                                  std::u16string_view after, std::size_t selectionStart, NameCharClassifier isNameSafe);

// A name that keeps its group file inside the data folder and off devices:
// only spaces and name-safe characters, not a reserved device name (with or
// without an extension), not ending in a dot or a space, not empty.
bool IsSafeGroupName(std::u16string_view name, NameCharClassifier isNameSafe);
