// The registration dialog created from its real template in the test process,
// driven with the messages its controls and the user's input send.
#include "editor/register_dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/app_globals.h"
#include "app/main_window.h"
#include "editor/edit_dialog.h"
#include "editor/list_view.h"
#include "storage/settings.h"
#include "support/recorded_messages.h"
#include "support/test_folder.h"
#include "support/windows_found.h"
#include "ui/resource_ids.h"

namespace {

using Terms = std::vector<std::wstring>;

// Runs once the modal edit dialog is up, then cancels it.
std::function<void(HWND)> whileEditDialogOpen;
bool editDialogSeen = false;

void CALLBACK CancelEditDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = TopWindowsOf(GetCurrentProcessId(), L"#32770", L"編集");
    if (found.empty()) return;
    KillTimer(nullptr, timer);
    editDialogSeen = true;
    if (whileEditDialogOpen) whileEditDialogOpen(found.front());
    PostMessageW(found.front(), WM_COMMAND, IDCANCEL, 0);
}

class RegisterDialogTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.Enter();
        messages_ = &StartFromDefaults();
        instanceHandle = GetModuleHandleW(nullptr);
        InitCommonControls();
        editDialogSeen = false;
        whileEditDialogOpen = nullptr;
    }
    void TearDown() override {
        if (registerDialogHandle) DestroyWindow(registerDialogHandle);
        registerDialogHandle = nullptr;
    }

    void WriteGroup(const std::wstring& name, const std::string& text) {
        WriteFileBytes(folder_.File(name + L".csv"), {text.begin(), text.end()});
    }
    std::string GroupText(const std::wstring& name) {
        const std::vector<uint8_t> bytes = ReadFileBytes(folder_.File(name + L".csv"));
        return {bytes.begin(), bytes.end()};
    }
    HWND Open() {
        OpenRegisterDialog(nullptr);
        return registerDialogHandle;
    }
    void Command(WPARAM command) { SendMessageW(registerDialogHandle, WM_COMMAND, command, 0); }
    HWND Item(int id) { return GetDlgItem(registerDialogHandle, id); }
    bool ApplyEnabled() { return IsWindowEnabled(Item(IDC_APPLY)) != FALSE; }
    Terms ListTerms() {
        Terms terms;
        for (int row = 0; row < ListRowCount(wordListHandle); ++row) terms.push_back(ListGetText(wordListHandle, row, 0, 4000));
        return terms;
    }
    std::wstring SelectorText(int index) {
        wchar_t text[128] = {};
        SendMessageW(Item(IDC_GROUP_SELECTOR), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SelectGroup(int slot) {
        SendMessageW(Item(IDC_GROUP_SELECTOR), CB_SETCURSEL, slot, 0);
        Command(MAKEWPARAM(IDC_GROUP_SELECTOR, CBN_SELCHANGE));
    }
    void Select(int row) { ListSetState(wordListHandle, row, LVIS_SELECTED, LVIS_SELECTED); }
    void TypeInRename(const std::wstring& text) {
        for (wchar_t c : text) SendMessageW(Item(IDC_RENAME), WM_CHAR, c, 0);
    }
    std::wstring RenameText() {
        wchar_t text[300] = {};
        GetWindowTextW(Item(IDC_RENAME), text, 300);
        return text;
    }
    DWORD RenameCaret() {
        DWORD start = 0;
        SendMessageW(Item(IDC_RENAME), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return start;
    }
    void SortByTerm() {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = wordListHandle;
        click.hdr.idFrom = 9999;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iSubItem = 0;
        SendMessageW(registerDialogHandle, WM_NOTIFY, 9999, reinterpret_cast<LPARAM>(&click));
    }
    void DoubleClickAt(POINT client) {
        ClientToScreen(wordListHandle, &client);
        ASSERT_TRUE(MoveCursorTo(client));
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = wordListHandle;
        click.hdr.idFrom = 9999;
        click.hdr.code = NM_DBLCLK;
        SetTimer(nullptr, 0, 20, CancelEditDialog);
        SendMessageW(registerDialogHandle, WM_NOTIFY, 9999, reinterpret_cast<LPARAM>(&click));
    }
    RECT ChildRect(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, registerDialogHandle, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TestFolder folder_;
    std::vector<RecordedMessage>* messages_ = nullptr;
};

const char kThreeRows[] = "\"b\",\"\",\"\",\"1\"\n\"A\",\"\",\"\",\"2\"\n\"a\",\"\",\"\",\"3\"\n";

}  // namespace

TEST_F(RegisterDialogTest, OpensWithTheGroupsInSlotOrderAndTheCurrentGroupLoaded) {
    std::memcpy(appSettings.groupNames[1], u"あ", 4);  // would sort first if the selector sorted
    appSettings.currentGroup = 2;
    WriteGroup(L"group03", kThreeRows);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(SendMessageW(Item(IDC_GROUP_SELECTOR), CB_GETCOUNT, 0, 0), 64);
    EXPECT_EQ(SelectorText(1), L"あ");
    EXPECT_EQ(SelectorText(63), L"group64");
    EXPECT_EQ(SendMessageW(Item(IDC_GROUP_SELECTOR), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(ListTerms(), (Terms{L"b", L"A", L"a"}));
    EXPECT_EQ(appSettings.entryCounts[2], 3);
    EXPECT_EQ(SendMessageW(Item(IDC_RENAME), EM_GETLIMITTEXT, 0, 0), kGroupNameUnits - 1) << "no more than a group name keeps";
    RECT r;
    GetWindowRect(registerDialogHandle, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.right - r.left, 900);
}

TEST_F(RegisterDialogTest, RenameAndApplyWriteTheNewFileAndKeepTheOld) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    TypeInRename(L"語彙");
    EXPECT_TRUE(ApplyEnabled()) << "typing a name enables Apply";
    Command(IDC_APPLY);
    EXPECT_EQ(std::u16string(appSettings.groupNames[0]), u"語彙");
    EXPECT_EQ(SelectorText(0), L"語彙");
    EXPECT_EQ(SendMessageW(Item(IDC_GROUP_SELECTOR), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GroupText(L"語彙"), kThreeRows);
    EXPECT_EQ(GroupText(L"group01"), kThreeRows) << "the old file stays";
    EXPECT_EQ(RenameText(), L"");
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(RegisterDialogTest, CancelAfterTypingANameKeepsTheOldName) {
    Open();
    TypeInRename(L"other");
    Command(IDCANCEL);
    EXPECT_EQ(registerDialogHandle, nullptr);
    EXPECT_EQ(std::u16string(appSettings.groupNames[0]), u"group01");
}

TEST_F(RegisterDialogTest, SwitchingGroupsAsksAndNoDropsUnsavedDeletions) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    Select(0);
    Select(2);
    Command(IDC_DELETE);
    EXPECT_EQ(ListTerms(), Terms{L"A"});
    EXPECT_EQ(appSettings.entryCounts[0], 1);
    SelectGroup(1);
    ASSERT_EQ(messages_->size(), 1u);
    EXPECT_EQ(messages_->back().owner, registerDialogHandle);
    EXPECT_EQ(appSettings.currentGroup, 0) << "Cancel stays";
    EXPECT_EQ(SendMessageW(Item(IDC_GROUP_SELECTOR), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ListTerms(), Terms{L"A"});

    AnswerMessagesWith(IDNO);
    SelectGroup(1);
    EXPECT_FALSE(ApplyEnabled()) << "the list is the file again";
    EXPECT_EQ(appSettings.currentGroup, 1);
    EXPECT_TRUE(ListTerms().empty());
    SelectGroup(0);
    EXPECT_EQ(ListTerms(), (Terms{L"b", L"A", L"a"}));
    EXPECT_EQ(appSettings.entryCounts[0], 3);
    EXPECT_EQ(GroupText(L"group01"), kThreeRows);
}

TEST_F(RegisterDialogTest, DoubleClickBelowTheRowsOpensANewEntryAtTheEnd) {
    WriteGroup(L"group01", kThreeRows);
    appSettings.entryCounts[0] = 1;  // a stale count must not decide where new entries go
    Open();
    appSettings.entryCounts[0] = 1;
    RECT list;
    GetClientRect(wordListHandle, &list);
    whileEditDialogOpen = [](HWND) {
        EXPECT_EQ(pendingEdit.targetRow, 3);
        EXPECT_NE(pendingEdit.insertNew, 0);
        EXPECT_STREQ(pendingEdit.term, L"");
    };
    DoubleClickAt({list.right / 2, list.bottom - 5});
    EXPECT_TRUE(editDialogSeen);

    RECT row;
    row.left = LVIR_BOUNDS;
    SendMessageW(wordListHandle, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    whileEditDialogOpen = [](HWND) {
        EXPECT_EQ(pendingEdit.targetRow, 1);
        EXPECT_EQ(pendingEdit.insertNew, 0);
        EXPECT_STREQ(pendingEdit.term, L"A");
        EXPECT_STREQ(pendingEdit.description, L"2");
    };
    editDialogSeen = false;
    DoubleClickAt({row.left + 5, (row.top + row.bottom) / 2});
    EXPECT_TRUE(editDialogSeen);
}

TEST_F(RegisterDialogTest, ButtonsWithNothingSelectedChangeNothing) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    for (WPARAM command : {IDC_DELETE, IDC_MOVE_UP, IDC_MOVE_DOWN}) Command(command);
    EXPECT_EQ(ListTerms(), (Terms{L"b", L"A", L"a"}));
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(RegisterDialogTest, OkWritesStoredOrderEvenWithApplyDisabled) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    SortByTerm();
    EXPECT_EQ(ListTerms(), (Terms{L"A", L"a", L"b"}));
    DeleteFileW(folder_.File(L"group01.csv").c_str());
    Command(IDOK);
    EXPECT_EQ(registerDialogHandle, nullptr);
    EXPECT_EQ(GroupText(L"group01"), kThreeRows);
    EXPECT_EQ(viewLayout.sortStates[0], 0);
}

TEST_F(RegisterDialogTest, ApplyWritesStoredOrderThenShowsTheTermOrderAgain) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    SortByTerm();
    SortByTerm();
    Select(0);
    Command(IDC_DELETE);  // b
    Command(IDC_APPLY);
    EXPECT_EQ(GroupText(L"group01"), "\"A\",\"\",\"\",\"2\"\n\"a\",\"\",\"\",\"3\"\n");
    EXPECT_EQ(ListTerms(), (Terms{L"a", L"A"}));
    EXPECT_EQ(viewLayout.sortStates[0], 2);
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(RegisterDialogTest, FailedSaveShowsTheStoredOrderItIsIn) {
    WriteGroup(L"group01", kThreeRows);
    Open();
    SortByTerm();
    HANDLE held = CreateFileW(folder_.File(L"group01.csv").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Command(IDOK);
    CloseHandle(held);
    ASSERT_NE(registerDialogHandle, nullptr) << "the dialog stays open";
    EXPECT_EQ(messages_->size(), 1u);
    EXPECT_EQ(ListTerms(), (Terms{L"b", L"A", L"a"}));
    EXPECT_EQ(HeaderGetFormat(ListHeader(wordListHandle), 0) & (HDF_SORTUP | HDF_SORTDOWN), 0);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_MOVE_UP)));
}

TEST_F(RegisterDialogTest, TitleBarCloseKeepsColumnWidthsAndCancelDoesNot) {
    Open();
    ListSetColumnWidth(wordListHandle, 3, 222);
    Command(IDCANCEL);
    EXPECT_EQ(viewLayout.columnWidths[0][3], 460);

    Open();
    ListSetColumnWidth(wordListHandle, 3, 222);
    SendMessageW(registerDialogHandle, WM_CLOSE, 0, 0);
    PumpFor(50);
    EXPECT_EQ(registerDialogHandle, nullptr) << "the title bar closes like Cancel";
    EXPECT_EQ(viewLayout.columnWidths[0][3], 222);
}

TEST_F(RegisterDialogTest, EnterAndEscDoNothing) {
    WriteGroup(L"group01", kThreeRows);
    HWND dialog = Open();
    SetForegroundWindow(dialog);
    SetFocus(wordListHandle);
    for (BYTE key : {VK_RETURN, VK_ESCAPE}) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        PumpFor(100);
    }
    SetFocus(Item(IDC_RENAME));
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    PumpFor(100);
    EXPECT_EQ(registerDialogHandle, dialog);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(GroupText(L"group01"), kThreeRows);
}

TEST_F(RegisterDialogTest, ResizingLaysTheControlsOutAtTheirPlaces) {
    Open();
    for (SIZE size : {SIZE{1000, 600}, SIZE{700, 400}}) {
        MoveWindow(registerDialogHandle, 100, 100, size.cx, size.cy, TRUE);
        RECT client;
        GetClientRect(registerDialogHandle, &client);
        const int w = client.right, h = client.bottom;
        const RECT list = ChildRect(wordListHandle);
        EXPECT_EQ(list.left, 20);
        EXPECT_EQ(list.top, 50);
        EXPECT_EQ(list.right, 20 + w - 185);
        EXPECT_EQ(list.bottom, 50 + h - 105);
        EXPECT_EQ(ChildRect(Item(IDC_MOVE_DOWN)).left, w - 150);
        EXPECT_EQ(ChildRect(Item(IDC_MOVE_DOWN)).top, 190);
        EXPECT_EQ(ChildRect(Item(IDC_NEW)).bottom, 100);
        EXPECT_EQ(ChildRect(Item(IDOK)).left, w - 270);
        EXPECT_EQ(ChildRect(Item(IDCANCEL)).left, w - 180);
        EXPECT_EQ(ChildRect(Item(IDC_APPLY)).right, w - 10);
        EXPECT_EQ(ChildRect(Item(IDC_APPLY)).top, h - 40);
    }
}

TEST_F(RegisterDialogTest, OnADisplayOfTwiceTheScaleItTakesTheSuggestedRectAndKeepsItsProportions) {
    Open();
    ListSetColumnWidth(wordListHandle, 3, 230);
    RECT suggested{40, 30, 40 + 1200, 30 + 700};
    SendMessageW(registerDialogHandle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(registerDialogHandle, &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    RECT client;
    GetClientRect(registerDialogHandle, &client);
    EXPECT_EQ(ChildRect(wordListHandle).left, 40);
    EXPECT_EQ(ChildRect(wordListHandle).top, 100);
    EXPECT_EQ(ChildRect(Item(IDC_APPLY)).right, client.right - 20);
    EXPECT_EQ(ListColumnWidth(wordListHandle, 0), 200);
    EXPECT_EQ(ListColumnWidth(wordListHandle, 3), 460);

    SendMessageW(registerDialogHandle, WM_CLOSE, 0, 0);
    PumpFor(50);
    EXPECT_EQ(viewLayout.columnWidths[0][0], 100) << "the settings keep widths at 96 DPI";
    EXPECT_EQ(viewLayout.columnWidths[0][3], 230);
}

TEST_F(RegisterDialogTest, TheRenameFieldFiltersWhatIsTyped) {
    Open();
    TypeInRename(L" ");
    EXPECT_EQ(RenameText(), L"");
    EXPECT_EQ(RenameCaret(), 0u);
    EXPECT_FALSE(ApplyEnabled());

    TypeInRename(L"ab");
    SendMessageW(Item(IDC_RENAME), EM_SETSEL, 1, 1);
    EnableWindow(Item(IDC_APPLY), FALSE);
    TypeInRename(L"*?\\:\"<>|");
    EXPECT_EQ(RenameText(), L"ab");
    EXPECT_EQ(RenameCaret(), 1u);
    EXPECT_FALSE(ApplyEnabled());

    // Ctrl+V of mixed text keeps the spaces and name characters.
    const wchar_t pasted[] = L"x<y z>";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Item(IDC_RENAME), WM_CHAR, 0x16, 0);
    EXPECT_EQ(RenameText(), L"axy zb");
    EXPECT_EQ(RenameCaret(), 1u);
    EXPECT_TRUE(ApplyEnabled());

    SendMessageW(Item(IDC_RENAME), EM_SETSEL, 3, 3);
    SendMessageW(Item(IDC_RENAME), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(RenameText(), L"ax zb");
    EXPECT_EQ(RenameCaret(), 2u);

    SetWindowTextW(Item(IDC_RENAME), std::wstring(200, L'n').c_str());
    SendMessageW(Item(IDC_RENAME), EM_SETSEL, 200, 200);
    SendMessageW(Item(IDC_RENAME), WM_CHAR, L'<', 0);
    EXPECT_EQ(RenameText().size(), 127u) << "a keystroke of the third kind cuts to 127";
}

TEST_F(RegisterDialogTest, UnsafeNamesAreRefusedAndNothingLeavesTheDataFolder) {
    Open();
    for (const wchar_t* name : {L"..\\..\\escaped", L"C:\\escaped", L"NUL", L"com1.txt", L"trailing."}) {
        SetWindowTextW(Item(IDC_RENAME), name);  // a paste from the context menu is not filtered
        Command(IDC_APPLY);
        EXPECT_EQ(std::u16string(appSettings.groupNames[0]), u"group01") << name;
        EXPECT_EQ(RenameText(), name) << "kept for the user to mend";
        EXPECT_EQ(messages_->back().text, L"この名前はファイル名に使えません。別の名前を入力してください。");
    }
    messages_->clear();
    Command(IDCANCEL);

    // The same names arriving through the settings file.
    std::memcpy(appSettings.groupNames[0], u"..\\escaped", 22);
    Open();
    EXPECT_EQ(messages_->size(), 1u) << "the file is not opened";
    Command(IDOK);
    EXPECT_EQ(messages_->size(), 2u);
    EXPECT_NE(registerDialogHandle, nullptr);
    EXPECT_FALSE(FileExists(folder_.Path() + L"\\..\\escaped.csv"));
}

TEST_F(RegisterDialogTest, ExitingWithTheDialogOpenLeavesTheGroupFileAlone) {
    WriteGroup(L"group01", kThreeRows);
    ASSERT_NE(RegisterMainWindowClass(instanceHandle), 0);
    HWND main = CreateMainWindow(instanceHandle);
    ASSERT_NE(registerDialogHandle, nullptr);
    Select(0);
    Command(IDC_DELETE);
    DestroyWindow(main);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(GroupText(L"group01"), kThreeRows);
    registerDialogHandle = nullptr;
    UnregisterClassW(kMainWindowClass, instanceHandle);
}
