#include "ui/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::u16string TextOf(Message m, int language) { return DescribeMessage(m, language).text; }
}  // namespace

TEST(Messages, BilingualMessagesFollowTheLanguageIndex) {
    EXPECT_EQ(TextOf(Message::CsvFileOpenFailed, 0), u"CSV file could not be created or opened");
    EXPECT_EQ(TextOf(Message::CsvFileOpenFailed, 1), u"csvファイルオープンに失敗しました");
    EXPECT_EQ(TextOf(Message::IniFileOpenFailed, 0), u"INI file could not be created or opened");
    EXPECT_EQ(TextOf(Message::IniFileOpenFailed, 1), u"iniファイルオープンに失敗しました");
    EXPECT_EQ(TextOf(Message::AlreadyRunning, 0), u"This software is already running.");
    EXPECT_EQ(TextOf(Message::AlreadyRunning, 1), u"既に起動済みです。");
    EXPECT_EQ(TextOf(Message::EmptyTerm, 0), u"Invalid word.");
    EXPECT_EQ(TextOf(Message::EmptyTerm, 1), u"用語欄が空白です。");
}

TEST(Messages, JapaneseOnlyMessagesIgnoreTheLanguageIndex) {
    for (int language : {0, 1}) {
        EXPECT_EQ(TextOf(Message::WindowClassFailed, language), u"ウィンドウクラスの登録失敗");
        EXPECT_EQ(TextOf(Message::HotkeySetupFailed, language), u"設定失敗です");
    }
}

TEST(Messages, CaptionsFlagsAndOwners) {
    for (Message m : {Message::AlreadyRunning, Message::WindowClassFailed}) {
        const MessageText text = DescribeMessage(m, 1);
        EXPECT_EQ(std::u16string(text.caption), u"wordHaven");
        EXPECT_FALSE(text.takesOwner);
    }
    const MessageText hotkey = DescribeMessage(Message::HotkeySetupFailed, 0);
    EXPECT_EQ(std::u16string(hotkey.caption), u"失敗");
    EXPECT_TRUE(hotkey.takesOwner);
    EXPECT_TRUE(DescribeMessage(Message::EmptyTerm, 1).takesOwner) << "owned by the edit dialog that waits for it";
    // Owned by the glossary whose save failed (none at start-up or exit).
    EXPECT_TRUE(DescribeMessage(Message::CsvFileOpenFailed, 1).takesOwner);
    EXPECT_TRUE(DescribeMessage(Message::IniFileOpenFailed, 1).takesOwner);
    EXPECT_EQ(hotkey.flags, 0u);

    EXPECT_EQ(DescribeMessage(Message::AlreadyRunning, 0).flags, 0x30u);
    EXPECT_EQ(DescribeMessage(Message::EmptyTerm, 1).flags, 0x30u);
    EXPECT_EQ(DescribeMessage(Message::CsvFileOpenFailed, 1).flags, 0u);
    EXPECT_EQ(DescribeMessage(Message::IniFileOpenFailed, 0).flags, 0u);
    EXPECT_EQ(DescribeMessage(Message::WindowClassFailed, 0).flags, 0u);
}

TEST(Messages, QuestionsAndRefusalsOfTheGlossaryAreOwnedByItsDialog) {
    const MessageText unsaved = DescribeMessage(Message::UnsavedChanges, 1);
    EXPECT_EQ(std::u16string(unsaved.text), u"一覧に保存されていない変更があります。保存しますか？");
    EXPECT_EQ(unsaved.flags, 0x23u) << "Yes, No and Cancel";
    for (Message m : {Message::UnsavedChanges, Message::GroupNameUnusable, Message::GroupNameTaken,
                      Message::GroupFileExists, Message::OriginalFileKept, Message::ChangedFileKept,
                      Message::EditedEntryUnsaved}) {
        for (int language : {0, 1}) {
            const MessageText text = DescribeMessage(m, language);
            EXPECT_EQ(std::u16string(text.caption), u"wordHaven");
            EXPECT_TRUE(text.takesOwner);
        }
        EXPECT_NE(std::u16string(DescribeMessage(m, 0).text), std::u16string(DescribeMessage(m, 1).text));
    }
}
