// The hotkeys of the real wordHaven.exe, pressed through the system's input
// while a reader window of this test holds the selection.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <memory>
#include <vector>

#include "support/program_run.h"
#include "support/program_windows.h"
#include "support/reader_window.h"
#include "support/remote_list.h"
#include "support/test_folder.h"
#include "support/url_log.h"
#include "support/windows_found.h"
#include "ui/resource_ids.h"

namespace {

const std::string kSearchPrefix = "https://www.google.com/search?q=";

struct Format {
    UINT format;
    std::vector<uint8_t> bytes;
    bool operator==(const Format& other) const { return format == other.format && bytes == other.bytes; }
};

void PutOnClipboard(const std::vector<Format>& formats) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const Format& f : formats) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, f.bytes.size());
        memcpy(GlobalLock(memory), f.bytes.data(), f.bytes.size());
        GlobalUnlock(memory);
        SetClipboardData(f.format, memory);
    }
    CloseClipboard();
}

std::vector<uint8_t> TextBytes(const std::wstring& text) {
    const auto* p = reinterpret_cast<const uint8_t*>(text.c_str());
    return std::vector<uint8_t>(p, p + (text.size() + 1) * sizeof(wchar_t));
}

// The clipboard's data for the given formats (missing ones come back empty).
std::vector<Format> ClipboardData(const std::vector<UINT>& formats) {
    std::vector<Format> found;
    bool open = false;
    for (int attempt = 0; attempt < 50 && !open; ++attempt) {
        open = OpenClipboard(nullptr) != FALSE;
        if (!open) Sleep(10);
    }
    for (UINT format : formats) {
        Format f{format, {}};
        if (!open) {
            found.push_back(f);
            continue;
        }
        if (HANDLE data = GetClipboardData(format)) {
            const auto* p = static_cast<const uint8_t*>(GlobalLock(data));
            f.bytes.assign(p, p + GlobalSize(data));
            GlobalUnlock(data);
        }
        found.push_back(f);
    }
    if (open) CloseClipboard();
    return found;
}

// Pumps this test's messages until the condition holds; the elapsed milliseconds, or -1.
template <typename Condition>
long WaitUntil(Condition condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return -1;
        PumpFor(10);
    }
    return static_cast<long>(GetTickCount() - start);
}

// Whether the clipboard holds this text (again) within a few seconds.
bool ClipboardComesBackAs(const std::wstring& text) {
    return WaitUntil([&] { return ClipboardData({CF_UNICODETEXT})[0].bytes == TextBytes(text); }, 3000) >= 0;
}

// Milliseconds until a message posted to the glossary's rename field has been handled: a posted message
// waits for the program's message loop, where a sent one would also be answered by a wait. -1 after a second.
long PostedRoundTrip(HWND registerDialog) {
    static int length = 0;
    length = length % 8 + 1;
    HWND field = GetDlgItem(registerDialog, IDC_RENAME);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"round trip"));
    const DWORD posted = GetTickCount();
    PostMessageW(field, EM_SETSEL, 0, length);
    for (;;) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start == 0 && end == static_cast<DWORD>(length)) return static_cast<long>(GetTickCount() - posted);
        if (GetTickCount() - posted > 1000) return -1;
        PumpFor(1);
    }
}

class Hotkeys : public testing::Test {
protected:
    void SetUp() override {
        EndStrayPrograms();
        ClearUrlLog();
        program_ = std::make_unique<ProgramRun>(folder_.Path());
        main_ = WaitForMainWindow(program_->ProcessId());
        dialog_ = WaitForRegisterDialog(program_->ProcessId());
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        if (main_) ChooseFromTrayMenu(main_, L'e');
        DWORD exitCode = 0;
        ASSERT_TRUE(program_->WaitForExit(10000, &exitCode));
        EXPECT_EQ(exitCode, 0u) << "the program did not live to its Exit";
    }
    // Presses Alt+letter and waits until the program has finished with it.
    void Press(BYTE letter) {
        PressAltWith(letter);
        PumpFor(1500);
    }
    HWND EditDialog() { return WaitForShownTopWindow(program_->ProcessId(), L"#32770", L"編集", 5000); }
    std::wstring Field(HWND dialog, int id) {
        wchar_t text[4096] = {};
        GetDlgItemTextW(dialog, id, text, 4096);
        return text;
    }

    TestFolder folder_;
    std::unique_ptr<ProgramRun> program_;
    HWND main_ = nullptr;
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(Hotkeys, AltWSearchesTheSelectionAndGivesTheClipboardBack) {
    ReaderWindow reader(L"say hello world, C++ and 日本語、ok");
    struct Case {
        int start, end;
        std::string query;
    };
    const Case cases[] = {{4, 15, "hello+world"}, {17, 20, "C%2B%2B"}, {25, 29, "%E6%97%A5%E6%9C%AC%E8%AA%9E%E3%80%81"}};
    // 日本語 stays as it is in the query; the ideographic comma is escaped.
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E%E3%80%81";
    for (const Case& c : cases) {
        ClearUrlLog();
        PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
        reader.SelectAndFocus(c.start, c.end);
        const DWORD pressed = GetTickCount();
        PressAltWith('W');
        const long toUrl = WaitUntil([] { return !RecordedUrls().empty(); }, 5000);
        ASSERT_GE(toUrl, 0) << "no URL reached the shell for " << c.query;
        const long toRestore =
            WaitUntil([] { return ClipboardData({CF_UNICODETEXT})[0].bytes == TextBytes(L"kept"); }, 3000);
        EXPECT_GE(toRestore, 0) << "the clipboard was not given back";

        std::printf("hotkey to URL %ld ms, to clipboard restored %lu ms\n", toUrl, GetTickCount() - pressed);
        const std::string expected = kSearchPrefix + (c.start == 25 ? japanese : c.query);
        EXPECT_EQ(RecordedUrls(), std::vector<std::string>{expected});
        PumpFor(600);
    }
}

TEST_F(Hotkeys, EveryKindOfClipboardContentComesBackWhole) {
    ReaderWindow reader(L"a word to look up");
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 4 * 4 * 4, 0x7F);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 4, 1, 32, BI_RGB, 64, 0, 0, 0, 0};
    const std::string page = "Version:0.9\r\nStartHTML:0\r\n<b>bold</b>";
    const std::vector<std::vector<Format>> contents = {
        {{CF_UNICODETEXT, TextBytes(std::wstring(5000, L'長'))}},
        {{CF_DIB, dib}},
        {{html, std::vector<uint8_t>(page.begin(), page.end() + 1)}, {CF_UNICODETEXT, TextBytes(L"bold")}},
        {},
    };
    for (const auto& content : contents) {
        ClearUrlLog();
        PutOnClipboard(content);
        reader.SelectAndFocus(2, 6);
        Press('W');
        WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
        EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "word"});
        std::vector<UINT> formats;
        for (const Format& f : content) formats.push_back(f.format);
        EXPECT_EQ(ClipboardData(formats), content);
        if (content.empty()) {
            EXPECT_EQ(CountClipboardFormats(), 0) << "an empty clipboard stays empty";
        }
    }
}

TEST_F(Hotkeys, AltWWithNothingSelectedLeavesEverythingAlone) {
    ReaderWindow reader(L"nothing selected here");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"untouched")}});
    const DWORD sequence = GetClipboardSequenceNumber();
    reader.SelectAndFocus(3, 3);
    Press('W');
    PumpFor(500);
    EXPECT_TRUE(RecordedUrls().empty());
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
}

TEST_F(Hotkeys, AltWInTheRegisterDialogSearchesTheSelectedTerm) {
    const std::string rows = "\"first\",\"\",\"\",\"desc\"\n\"second term\",\"\",\"\",\"d\"\n";
    WriteFileBytes(folder_.File(L"group01.csv"), {rows.begin(), rows.end()});
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"単語登録"));
    Press('R');
    dialog_ = WaitForRegisterDialog(program_->ProcessId());
    ASSERT_NE(dialog_, nullptr);
    RemoteList list(GetDlgItem(dialog_, 9999));
    ASSERT_EQ(list.RowCount(), 2);

    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"untouched")}});
    const DWORD sequence = GetClipboardSequenceNumber();
    list.Select({1});
    SetForegroundWindow(dialog_);
    PumpFor(100);
    Press('W');
    WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "second+term"});
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard is not touched";

    ClearUrlLog();
    list.Select({0, 1});
    SetForegroundWindow(dialog_);
    Press('W');
    EXPECT_TRUE(RecordedUrls().empty()) << "two rows selected: nothing to search";
}

TEST_F(Hotkeys, AltEAfterASearchOpensANewEntryWithWordAndSentence) {
    ReaderWindow reader(L"glossary. A glossary lists terms.");
    reader.SelectAndFocus(0, 8);
    Press('W');
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"単語登録"));

    // The program owns the clipboard since it gave it back; the copy asks it to let go.
    reader.SelectAndFocus(10, 33);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    dialog_ = WaitForRegisterDialog(program_->ProcessId(), 1000);
    ASSERT_NE(dialog_, nullptr) << "the registration dialog is opened first";
    EXPECT_EQ(GetWindow(edit, GW_OWNER), dialog_);
    EXPECT_EQ(Field(edit, 1037), L"glossary");
    EXPECT_EQ(Field(edit, 1044), L"A glossary lists terms.");
    EXPECT_EQ(Field(edit, 1040), L"");
    EXPECT_EQ(Field(edit, 1042), L"");
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
    RemoteList list(GetDlgItem(dialog_, 9999));
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Text(0, 0), L"glossary");
    EXPECT_EQ(list.Text(0, 3), L"A glossary lists terms.");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, 3)));
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);  // dropped on purpose, so the exit asks nothing
}

TEST_F(Hotkeys, AltEBeforeAnySearchHasAnEmptyTermAndAltRNeverOpensTwice) {
    ReaderWindow reader(L"some sentence");
    reader.SelectAndFocus(0, 4);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Field(edit, 1037), L"");
    EXPECT_EQ(Field(edit, 1044), L"some");
    PressAltWith('E');  // a second Alt+E while the dialog is open is ignored
    PumpFor(1500);
    EXPECT_EQ(TopWindowsOf(program_->ProcessId(), L"#32770", L"編集").size(), 1u);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));

    Press('R');
    EXPECT_EQ(TopWindowsOf(program_->ProcessId(), L"#32770", L"単語登録"), std::vector<HWND>{dialog_});
}

TEST_F(Hotkeys, AVeryLongSelectionIsSearchedCutShortAndTheProgramLives) {
    std::wstring text;
    while (text.size() < 5000) text += L"語、、";
    ReaderWindow reader(text);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(0, 5000);
    PressAltWith('W');
    ASSERT_GE(WaitUntil([] { return !RecordedUrls().empty(); }, 5000), 0) << "no URL reached the shell";
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
    // At most 512 units: 25 times 語、、 (19 units each), then 語; the next comma's escape would not fit whole.
    std::string query;
    for (int i = 0; i < 25; ++i) query += "\xE8\xAA\x9E%E3%80%81%E3%80%81";
    query += "\xE8\xAA\x9E";
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + query});
}

TEST_F(Hotkeys, KanjiBeyondTheBasicPlanePassUnchangedAndEmojiAreEscaped) {
    ReaderWindow reader(L"\U00020B9Fる \U0001F600");
    reader.SelectAndFocus(0, 6);
    Press('W');
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "\xF0\xA0\xAE\x9F\xE3\x82\x8B+%F0%9F%98%80"});
}

TEST_F(Hotkeys, AltWOnTextSelectedInTheProgramsOwnFieldSearchesItWithoutTheClipboard) {
    HWND rename = GetDlgItem(dialog_, IDC_RENAME);
    SendMessageW(rename, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alpha beta"));
    SetForegroundWindow(dialog_);
    RECT field{};
    GetWindowRect(rename, &field);
    ClickAt({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    PumpFor(200);
    SendMessageW(rename, EM_SETSEL, 6, 10);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"untouched")}});
    const DWORD sequence = GetClipboardSequenceNumber();
    PressAltWith('W');
    WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "beta"});
    PumpFor(700);
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard is not touched";
}

TEST_F(Hotkeys, ACopyMadeWhileTheEditDialogIsOpenIsKept) {
    ReaderWindow reader(L"some sentence");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(0, 4);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    PumpFor(300);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"copied later")}});
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
    PumpFor(700);
    EXPECT_TRUE(ClipboardComesBackAs(L"copied later"));
}

TEST_F(Hotkeys, ASearchFromInsideTheEditDialogStillGivesTheFirstClipboardBack) {
    ReaderWindow reader(L"some sentence");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(0, 4);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    PumpFor(300);
    reader.SelectAndFocus(5, 13);
    PressAltWith('W');
    WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "sentence"});
    EXPECT_TRUE(ClipboardComesBackAs(L"some")) << "the inner search gives back what the outer capture left";
    PumpFor(700);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}

TEST_F(Hotkeys, AClipboardHeldByAProgramWaitingOnUsComesBack) {
    ReaderWindow reader(L"a word to look up");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(2, 6);
    // This test plays a program that holds the clipboard open and waits for an answer from wordHaven, sent
    // just when the hotkey first tries the clipboard: right after the key it presses to hide the lone Alt.
    HWND holder = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    PressAltWith('W');
    MSG key{};
    const DWORD start = GetTickCount();
    // A system key when the program is quick enough to press it before the user's Alt has gone up.
    const auto isMaskKey = [&] {
        return (key.message == WM_KEYDOWN || key.message == WM_SYSKEYDOWN) && key.wParam == 0xE8;
    };
    while (!isMaskKey() && GetTickCount() - start < 3000) {
        if (!PeekMessageW(&key, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) Sleep(1);
    }
    DWORD_PTR answer = 0;
    const DWORD sent = GetTickCount();
    EXPECT_TRUE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
    std::printf("key seen after %lu ms, answered after %lu ms\n", sent - start, GetTickCount() - sent);
    CloseClipboard();
    DestroyWindow(holder);
    WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "word"});
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}

TEST_F(Hotkeys, AnEmptyTermMessageIsOwnedByTheEditDialog) {
    ReaderWindow reader(L"some sentence");
    reader.SelectAndFocus(0, 4);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
    HWND box = WaitForMessageBox(program_->ProcessId(), L"wordHaven", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"用語欄が空白です。");
    EXPECT_EQ(GetWindow(box, GW_OWNER), edit);
    PressOk(box);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
}

TEST(HotkeysAtStartUp, AHotkeyWhileAStartUpMessageIsOpenGivesTheClipboardBack) {
    EndStrayPrograms();
    ClearUrlLog();
    ASSERT_TRUE(RegisterHotKey(nullptr, 4, MOD_ALT, 'R'));  // Alt+R taken: the program says so while starting
    TestFolder folder;
    ProgramRun program(folder.Path());
    HWND box = WaitForMessageBox(program.ProcessId(), L"失敗");
    ASSERT_NE(box, nullptr);
    ReaderWindow reader(L"a word to look up");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(2, 6);
    PressAltWith('W');
    WaitUntil([] { return !RecordedUrls().empty(); }, 3000);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "word"});
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
    UnregisterHotKey(nullptr, 4);
    PressOk(box);
    HWND main = WaitForMainWindow(program.ProcessId());
    ASSERT_TRUE(ChooseFromTrayMenu(main, L'e'));
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(Hotkeys, ALateCopyAndATextRenderedOnRequestAreCapturedAsAnyOther) {
    struct Case {
        CopyingReader::Copy how;
        DWORD delay;
        std::wstring selection;
        std::string query;
    };
    const Case cases[] = {{CopyingReader::Copy::Late, 250, L"late word", "late+word"},
                          {CopyingReader::Copy::OnRequest, 0, L"rendered word", "rendered+word"}};
    for (const Case& c : cases) {
        ClearUrlLog();
        CopyingReader reader(c.selection, c.how, c.delay);
        PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
        reader.Focus();
        PressAltWith('W');
        ASSERT_GE(WaitUntil([] { return !RecordedUrls().empty(); }, 5000), 0) << "nothing captured from " << c.query;
        EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + c.query});
        EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
        EXPECT_EQ(reader.CopiesAsked(), 1);
        PumpFor(700);
    }

    CopyingReader reader(L"a rendered sentence", CopyingReader::Copy::OnRequest);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.Focus();
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Field(edit, 1037), L"rendered word");
    EXPECT_EQ(Field(edit, 1044), L"a rendered sentence");
    EXPECT_EQ(reader.TextsRendered(), 1);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}

TEST_F(Hotkeys, TheGlossaryAnswersWhileACaptureWaitsForTheCopyAndPutsTheClipboardBack) {
    CopyingReader reader(L"late word", CopyingReader::Copy::Late, 250);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.Focus();
    PressAltWith('W');
    ASSERT_GE(WaitUntil([&] { return reader.CopiesAsked() == 1; }, 3000), 0) << "no Ctrl+C reached the reader";
    const long whileCopying = PostedRoundTrip(dialog_);
    ASSERT_GE(WaitUntil([] { return !RecordedUrls().empty(); }, 5000), 0);
    const long whilePuttingBack = PostedRoundTrip(dialog_);
    std::printf("glossary answered in %ld ms while the capture waited, %ld ms after the search\n", whileCopying,
                whilePuttingBack);
    EXPECT_GE(whileCopying, 0);
    EXPECT_LE(whileCopying, 100);
    EXPECT_GE(whilePuttingBack, 0);
    EXPECT_LE(whilePuttingBack, 100);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "late+word"});
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}

TEST_F(Hotkeys, AHotkeyPressedDuringACaptureIsHandledOnceAfterIt) {
    CopyingReader reader(L"late word", CopyingReader::Copy::Late, 250);
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.Focus();
    PressAltWith('W');
    // Once the capture has let go of Ctrl (an Alt pressed with it would make Ctrl+Alt+E), while it waits for the copy.
    ASSERT_GE(WaitUntil([&] { return reader.CopiesAsked() == 1 && GetAsyncKeyState(VK_CONTROL) >= 0; }, 3000), 0);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(RecordedUrls(), std::vector<std::string>{kSearchPrefix + "late+word"}) << "the search came first, once";
    EXPECT_EQ(Field(edit, 1037), L"late word");
    EXPECT_EQ(Field(edit, 1044), L"late word");
    EXPECT_EQ(reader.CopiesAsked(), 2);
    PumpFor(300);
    EXPECT_EQ(TopWindowsOf(program_->ProcessId(), L"#32770", L"編集").size(), 1u);
    EXPECT_EQ(reader.CopiesAsked(), 2);
    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForNoTopWindow(program_->ProcessId(), L"#32770", L"編集"));
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}

TEST_F(Hotkeys, ExitWhileTheEditDialogIsOpenStillGivesTheClipboardBack) {
    ReaderWindow reader(L"some sentence");
    PutOnClipboard({{CF_UNICODETEXT, TextBytes(L"kept")}});
    reader.SelectAndFocus(0, 4);
    PressAltWith('E');
    HWND edit = EditDialog();
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(ChooseFromTrayMenu(main_, L'e'));
    // The entry being edited is unsaved: Exit asks, and No lets it go.
    HWND box = WaitForMessageBox(program_->ProcessId(), L"wordHaven", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), edit);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    main_ = nullptr;  // already asked to exit
    DWORD exitCode = 1;
    ASSERT_TRUE(program_->WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(ClipboardComesBackAs(L"kept"));
}
