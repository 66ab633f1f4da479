#pragma once
// What the rename field becomes after each keystroke. Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>

#include "storage/group_file_name.h"

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
