// The edit dialog run modally from its real template over a word list; a
// timer plays the user while the dialog's own loop runs.
#include "editor/edit_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/bounded_copy.h"

#include "editor/dictionary_list.h"
#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/dictionary_shelf.h"
#include "storage/settings.h"
#include "support/reader_window.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
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

namespace {

// Counts the loads of the dictionaries told to the dialog while it runs.
int loadsTold = 0;
LRESULT CALLBACK CountLoadsTold(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kDictionariesLoaded) ++loadsTold;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The dialog over a dictionaries folder of the test's own, the current
// directory standing for the data folder as in every in-process test.
class EditDialogDictionaryTest : public EditDialogTest {
protected:
    void SetUp() override {
        EditDialogTest::SetUp();
        folder_.Enter();
        PutFile(Dictionary(L"mine.edict"), Utf8(L"食べる [たべる] /(v1,vt) to eat/(P)/\n"));
        OpenForNew();
        CopyBounded(pendingEdit.term, L"食べる");
    }
    void TearDown() override { WaitForDictionaryLoad(); }
    std::wstring Dictionary(const std::wstring& name) const { return folder_.File(L"dictionaries\\" + name); }
    static bool ListShows(HWND dialog, const wchar_t* headword) {
        return PollUntil([&] {
            HWND list = GetDlgItem(dialog, IDC_DICTIONARY_LIST);
            return ListRowCount(list) > 0 && ListGetText(list, 0, 1, 64) == headword;
        }, 5000);
    }
    static std::wstring Text(HWND dialog, int id) {
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, id, text, 256);
        return text;
    }

    TestFolder folder_;
};

}  // namespace

TEST_F(EditDialogDictionaryTest, AltDigitTakesAnEntryOnceFromWhereverTheFocusIs) {
    const BYTE keypad[] = {VK_NUMPAD0, VK_NUMPAD1, VK_NUMPAD7, VK_NUMPAD7};
    const struct {
        const char* what;
        int focus;
        std::vector<BYTE> keys;  // pressed in turn while Alt is down
        bool held;               // none let go before the last: the key repeats
        const wchar_t* meaning;
    } rows[] = {
        {"term", IDC_TERM, {'1'}, false, L"to eat"},
        {"reading", IDC_READING, {'1'}, false, L"to eat"},
        {"spelling", IDC_SPELLING, {'1'}, false, L"to eat"},
        {"meaning", IDC_DESCRIPTION, {'1'}, false, L"to eat"},
        {"list", IDC_DICTIONARY_LIST, {'1'}, false, L"to eat"},
        {"OK", IDOK, {'1'}, false, L"to eat"},
        {"Cancel", IDCANCEL, {'1'}, false, L"to eat"},
        {"the note, clicked to copy the folder's path", IDC_DICTIONARY_NOTE, {'1'}, false, L"to eat"},
        {"held until the key repeats", IDC_DESCRIPTION, {'1', '1', '1'}, true, L"to eat"},
        {"Alt and keypad digits type a character by its code (Alt+0177 is ±)", IDC_DESCRIPTION,
         {std::begin(keypad), std::end(keypad)}, false, L""},
        {"the second row, which there is not", IDC_DESCRIPTION, {'2'}, false, L""},
    };
    Run([&](HWND dialog) {
        ASSERT_TRUE(ListShows(dialog, L"食べる"));
        SetForegroundWindow(dialog);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.what);
            Set(dialog, IDC_DESCRIPTION, L"");
            SetFocus(GetDlgItem(dialog, row.focus));
            keybd_event(VK_MENU, 0, 0, 0);
            for (BYTE key : row.keys) {
                keybd_event(key, 0, 0, 0);
                if (!row.held) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
            }
            if (row.held) keybd_event(row.keys.back(), 0, KEYEVENTF_KEYUP, 0);
            keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
            PumpFor(150);
            if (*row.meaning) {
                EXPECT_EQ(Text(dialog, IDC_DESCRIPTION), row.meaning);
            } else {  // Windows may have typed the character; nothing of the entry is there
                EXPECT_EQ(Text(dialog, IDC_DESCRIPTION).find(L"to eat"), std::wstring::npos);
            }
            EXPECT_EQ(Text(dialog, IDC_TERM), L"食べる");
            EXPECT_TRUE(IsWindowVisible(dialog));
        }
    });
}

TEST_F(EditDialogDictionaryTest, AFileHeldShutIsTriedAgainAtTheNextLookupNotOverAndOver) {
    const std::wstring held = Dictionary(L"held.edict");
    PutFile(held, Utf8(L"走る [はしる] /(v5r,vi) to run/\n"));
    FileHandle holder = HoldShut(held);
    loadsTold = 0;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountLoadsTold, nullptr, GetCurrentThreadId());
    Run([&](HWND dialog) {
        ASSERT_TRUE(ListShows(dialog, L"食べる"));
        EXPECT_NE(Text(dialog, IDC_DICTIONARY_NOTE).find(L"held.edict"), std::wstring::npos);
        PumpFor(500);
        EXPECT_LE(loadsTold, 2) << "a load that ends starts no other while nothing changes";

        // Let go of: the next term typed finds what it holds.
        holder.Reset();
        Set(dialog, IDC_TERM, L"走った");
        EXPECT_TRUE(ListShows(dialog, L"走る"));
        EXPECT_EQ(Text(dialog, IDC_DICTIONARY_NOTE).find(L"held.edict"), std::wstring::npos);
    });
    UnhookWindowsHookEx(hook);
}

TEST_F(EditDialogDictionaryTest, TypingGoesOnAfterTheTakenGlossesAndUndoTakesThemBack) {
    Run([&](HWND dialog) {
        ASSERT_TRUE(ListShows(dialog, L"食べる"));
        HWND meaning = GetDlgItem(dialog, IDC_DESCRIPTION);
        SetFocus(meaning);
        SendMessageW(meaning, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"my note"));
        ASSERT_TRUE(TakeDictionaryRow(dialog, 0));
        EXPECT_EQ(Text(dialog, IDC_DESCRIPTION), L"my note\r\nto eat");
        SendMessageW(meaning, EM_UNDO, 0, 0);
        EXPECT_EQ(Text(dialog, IDC_DESCRIPTION), L"my note");
        ASSERT_TRUE(TakeDictionaryRow(dialog, 0));
        SendMessageW(meaning, WM_CHAR, L'!', 0);
        EXPECT_EQ(Text(dialog, IDC_DESCRIPTION), L"my note\r\nto eat!");
    });
}
