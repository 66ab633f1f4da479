#include "editor/group_name.h"

#include <gtest/gtest.h>

namespace {

// Like the platform's classification: controls, wildcards, separators and
// <>|" are refused; everything else may stand in a file name.
bool FakeNameSafe(char16_t c) {
    return c > 0x20 && std::u16string_view(u"*?\\/:<>|\"").find(c) == std::u16string_view::npos;
}

GroupNameEdit Type(char16_t c, std::u16string_view before, std::u16string_view after, size_t start) {
    return DecideGroupNameEdit(ClassifyGroupNameKeystroke(c, FakeNameSafe), c, before, after, start, FakeNameSafe);
}

}  // namespace

TEST(GroupNameFilter, SpacesNeedANameCharacterBesideThem) {
    const GroupNameEdit alone = Type(u' ', u"", u" ", 0);
    EXPECT_TRUE(alone.replaceText);
    EXPECT_EQ(alone.text, u"");
    EXPECT_EQ(alone.caret, 0u);
    EXPECT_FALSE(alone.enableApply);

    const GroupNameEdit afterName = Type(u' ', u"語", u"語 ", 1);
    EXPECT_FALSE(afterName.replaceText);
    EXPECT_TRUE(afterName.enableApply);
}

TEST(GroupNameFilter, RefusedCharactersLeaveTextAndCaretAsTheyWere) {
    for (char16_t c : std::u16string(u"*?\\/:\"<>|")) {
        const GroupNameEdit e = Type(c, u"abcd", std::u16string(u"ab") + c + u"cd", 2);
        EXPECT_TRUE(e.replaceText);
        EXPECT_EQ(e.text, u"abcd");
        EXPECT_EQ(e.caret, 2u);
        EXPECT_FALSE(e.enableApply) << static_cast<int>(c);
    }
    const GroupNameEdit safe = Type(u'x', u"ab", u"abx", 2);
    EXPECT_FALSE(safe.replaceText);
    EXPECT_TRUE(safe.enableApply);
}

TEST(GroupNameFilter, PasteKeepsSpacesAndNameCharactersWithTheCaretWhereItBegan) {
    const GroupNameEdit e = Type(0x16 /* Ctrl+V */, u"ab", u"a<x y>:z\tb", 1);
    EXPECT_EQ(e.text, u"ax yzb");
    EXPECT_EQ(e.caret, 1u);
    EXPECT_TRUE(e.enableApply);
}

TEST(GroupNameFilter, BackspaceLeavesTheCaretOneBeforeWhereItStood) {
    const GroupNameEdit e = Type(8, u"abcd", u"abd", 3);
    EXPECT_EQ(e.text, u"abd");
    EXPECT_EQ(e.caret, 2u);
    EXPECT_TRUE(e.enableApply);
    EXPECT_EQ(Type(8, u"", u"", 0).caret, 0u) << "never before the start";
    EXPECT_FALSE(Type(8, u"", u"", 0).enableApply);
}

TEST(GroupNames, UnsafeNamesAreRefused) {
    for (std::u16string_view bad : {u"..\\..\\x", u"C:\\x", u"a/b", u"NUL", u"nul", u"COM1", u"lpt9", u"CON.txt",
                                    u"aux .csv", u"COM²", u"name.", u"name ", u"..", u"", u"tab\there"}) {
        EXPECT_FALSE(IsSafeGroupName(bad, FakeNameSafe)) << std::string(bad.begin(), bad.end());
    }
    for (std::u16string_view good : {u"group01", u"単語 帳", u"COM10", u"CONSOLE", u"LPT", u".hidden", u"a.b"}) {
        EXPECT_TRUE(IsSafeGroupName(good, FakeNameSafe)) << std::string(good.begin(), good.end());
    }
}
