#include "editor/group_name.h"

#include <algorithm>

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kBackspace = 8;

}  // namespace

GroupNameKeystroke ClassifyGroupNameKeystroke(char16_t typed, NameCharClassifier isNameSafe) {
    if (typed == kSpace) return GroupNameKeystroke::Space;
    return isNameSafe(typed) ? GroupNameKeystroke::NameSafe : GroupNameKeystroke::Other;
}

GroupNameEdit DecideGroupNameEdit(GroupNameKeystroke kind, char16_t typed, std::u16string_view before,
                                  std::u16string_view after, std::size_t selectionStart, NameCharClassifier isNameSafe) {
    switch (kind) {
    case GroupNameKeystroke::NameSafe:
        return {false, {}, 0, true};
    case GroupNameKeystroke::Space: {
        // A name of spaces alone is no name: the space is taken back.
        const bool hasNameChar = std::any_of(after.begin(), after.end(),
                                             [&](char16_t c) { return c != kSpace && isNameSafe(c); });
        if (hasNameChar) return {false, {}, 0, true};
        return {true, std::u16string(before), selectionStart, false};
    }
    case GroupNameKeystroke::Other:
        break;
    }
    std::u16string filtered;
    for (char16_t c : after) {
        if (c == kSpace || isNameSafe(c)) filtered.push_back(c);
    }
    std::size_t caret = selectionStart;
    if (typed == kBackspace && caret > 0) --caret;
    const bool changed = filtered != before;
    return {true, std::move(filtered), caret, changed};
}
