// The edit dialog run modally from its real template over a word list; a
// timer plays the user while the dialog's own loop runs.
#include "editor/edit_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/bounded_copy.h"

#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/windows_found.h"
#include "support/word_list_host.h"
#include "ui/messages.h"
#include "ui/ui_text.h"
#include "ui/resource_ids.h"

namespace {

std::function<void(HWND)> user;

void CALLBACK PlayUser(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = TopWindowsOf(GetCurrentProcessId(), L"#32770", UiText(Text::EditCaption));
    if (found.empty() || !IsWindowVisible(found.front())) return;
    KillTimer(nullptr, timer);
    user(found.front());
    if (IsWindow(found.front())) PostMessageW(found.front(), WM_COMMAND, IDCANCEL, 0);  // whatever is left: Cancel
}

class EditDialogTest : public testing::Test {
protected:
    void SetUp() override {
        appSettings = DefaultAppSettings();
        messages_ = &RecordMessages();
        host_.AddRow({L"term", L"reading", L"spelling", L"description"});
        appSettings.entryCounts[0] = 1;
        pendingEdit = {};
    }
    void OpenForRow(int row) {
        pendingEdit.targetRow = row;
        pendingEdit.insertNew = 0;
        ListGetText(host_.List(), row, 0, pendingEdit.term, kEntryTextUnits);
        ListGetText(host_.List(), row, 1, pendingEdit.reading, kEntryTextUnits);
        ListGetText(host_.List(), row, 2, pendingEdit.spelling, kEntryTextUnits);
        ListGetText(host_.List(), row, 3, pendingEdit.description, kEntryTextUnits);
    }
    void OpenForNew() {
        pendingEdit.targetRow = ListRowCount(host_.List());
        pendingEdit.insertNew = 10;
    }
    void Run(std::function<void(HWND)> script) {
        user = std::move(script);
        SetTimer(nullptr, 0, 20, PlayUser);
        RunEditDialog(host_.Dialog());
    }
    static void Ok(HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDOK, 0); }
    static void Set(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

    WordListHost host_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

}  // namespace

TEST_F(EditDialogTest, OpensOnThePendingTextsWithTheDescriptionFocused) {
    OpenForRow(0);
    Run([](HWND dialog) {
        wchar_t text[64];
        GetDlgItemTextW(dialog, IDC_READING, text, 64);
        EXPECT_STREQ(text, L"reading");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_DESCRIPTION));
        for (int id : {IDC_TERM, IDC_READING, IDC_SPELLING, IDC_DESCRIPTION}) {
            EXPECT_EQ(SendDlgItemMessageW(dialog, id, EM_GETLIMITTEXT, 0, 0), 3999);
        }
        // Tab order: description, OK, Cancel, term, reading, spelling, the dictionary's list.
        HWND control = GetDlgItem(dialog, IDC_DESCRIPTION);
        for (int id : {IDOK, IDCANCEL, IDC_TERM, IDC_READING, IDC_SPELLING, IDC_DICTIONARY_LIST, IDC_DESCRIPTION}) {
            control = GetNextDlgTabItem(dialog, control, FALSE);
            EXPECT_EQ(GetDlgCtrlID(control), id);
        }
    });
}

TEST_F(EditDialogTest, NoFieldTakesMoreThan3999CharactersTypedOrPasted) {
    OpenForNew();
    Run([](HWND dialog) {
        HWND term = GetDlgItem(dialog, IDC_TERM);
        SendMessageW(term, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::wstring(5000, L'x').c_str()));
        EXPECT_EQ(GetWindowTextLengthW(term), 3999);
        SendMessageW(term, WM_CHAR, L'y', 0);
        EXPECT_EQ(GetWindowTextLengthW(term), 3999);
    });
}

TEST_F(EditDialogTest, EnterInTheDescriptionInsertsNothing) {
    OpenForRow(0);
    Run([](HWND dialog) {
        HWND description = GetDlgItem(dialog, IDC_DESCRIPTION);
        SetForegroundWindow(dialog);
        SetFocus(description);
        SendMessageW(description, EM_SETSEL, 0, -1);
        keybd_event(VK_RETURN, 0, 0, 0);
        keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
        PumpFor(150);
        wchar_t text[64];
        GetWindowTextW(description, text, 64);
        EXPECT_STREQ(text, L"description");
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter does not close the dialog";
    });
}

TEST_F(EditDialogTest, UnchangedOkWritesNothingButAForcedOneInserts) {
    OpenForRow(0);
    Run(Ok);
    EXPECT_EQ(pendingEdit.entryChanged, 0);
    EXPECT_FALSE(host_.ApplyEnabled());

    OpenForNew();
    pendingEdit.forceChanged = 10;
    CopyBounded(pendingEdit.term, L"word");
    Run(Ok);
    EXPECT_EQ(host_.Terms(), (std::vector<std::wstring>{L"term", L"word"}));
    EXPECT_EQ(ListGetKey(host_.List(), 1), 1) << "a new row's key is its place";
    EXPECT_EQ(pendingEdit.forceChanged, 0);
    EXPECT_TRUE(host_.ApplyEnabled());
    EXPECT_EQ(appSettings.entryCounts[0], 2);
}

TEST_F(EditDialogTest, EditingARowRewritesItAndKeepsTheCount) {
    OpenForRow(0);
    Run([](HWND dialog) {
        Set(dialog, IDC_TERM, L"   ");  // blanks are a term
        Set(dialog, IDC_SPELLING, L"new spelling");
        Ok(dialog);
    });
    EXPECT_EQ(host_.Row(0), (std::vector<std::wstring>{L"   ", L"reading", L"new spelling", L"description"}));
    EXPECT_EQ(ListRowCount(host_.List()), 1);
    EXPECT_EQ(appSettings.entryCounts[0], 1);
    EXPECT_TRUE(host_.ApplyEnabled());
}

TEST_F(EditDialogTest, AnEmptyTermIsRefusedInTheCurrentLanguage) {
    for (int language : {1, 0}) {
        appSettings.languageIndex = language;
        messages_->clear();
        OpenForRow(0);
        bool stayedOpen = false;
        Run([&](HWND dialog) {
            Set(dialog, IDC_TERM, L"");
            Ok(dialog);
            stayedOpen = IsWindowVisible(dialog) != FALSE;  // an ended dialog is hidden, not yet destroyed
        });
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(messages_->size(), 1u);
        EXPECT_EQ(messages_->front().text, language ? L"用語欄が空白です。" : L"Invalid word.");
        EXPECT_EQ(messages_->front().flags, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(host_.Row(0)[0], L"term");
    }
}

TEST_F(EditDialogTest, OkWritesOnlyIntoTheRowAndGroupItWasOpenedFor) {
    host_.AddRow({L"second", L"", L"", L""});
    OpenForRow(1);
    // The row moves up under the open dialog: OK still finds it by what it holds.
    Run([this](HWND dialog) {
        ListDeleteRow(host_.List(), 0);
        Set(dialog, IDC_TERM, L"second, edited");
        Ok(dialog);
    });
    ASSERT_EQ(ListRowCount(host_.List()), 1);
    EXPECT_EQ(host_.Row(0)[0], L"second, edited");

    // Another group shown under it: nothing is written, and the user is told.
    OpenForRow(0);
    Run([this](HWND dialog) {
        appSettings.currentGroup = 1;
        Set(dialog, IDC_TERM, L"into the wrong group");
        Ok(dialog);
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays, so its texts can still be copied";
    });
    EXPECT_EQ(host_.Row(0)[0], L"second, edited");
    ASSERT_FALSE(messages_->empty());
    EXPECT_EQ(messages_->back().text, reinterpret_cast<const wchar_t*>(DescribeMessage(Message::EditTargetGone, 1).text));
}

TEST_F(EditDialogTest, ANewEntryGoesAfterTheLastRowWithAKeyNoOtherRowHas) {
    OpenForNew();
    // The list is filled again under the open dialog, with more rows than it had.
    Run([this](HWND dialog) {
        host_.AddRow({L"read again", L"", L"", L""});
        host_.AddRow({L"and again", L"", L"", L""});
        Set(dialog, IDC_TERM, L"new");
        Ok(dialog);
    });
    ASSERT_EQ(ListRowCount(host_.List()), 4);
    EXPECT_EQ(host_.Row(3)[0], L"new");
    std::vector<int64_t> keys = WordListKeys();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "two rows share a key";
}
