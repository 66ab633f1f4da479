// The clipboard snapshot a capture takes and puts back, on this process's clipboard.
#include "app/clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class ClipboardSnapshotTest : public testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    void Put(const std::vector<ClipboardFormatData>& formats) {
        ASSERT_TRUE(OpenClipboard(owner_));
        EmptyClipboard();
        for (const ClipboardFormatData& f : formats) {
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, f.bytes.size());
            std::memcpy(GlobalLock(memory), f.bytes.data(), f.bytes.size());
            GlobalUnlock(memory);
            SetClipboardData(f.format, memory);
        }
        CloseClipboard();
    }
    // The formats of a snapshot in its order, leaving out the text formats the system makes from CF_UNICODETEXT.
    static std::vector<UINT> Formats(const ClipboardSnapshot& snapshot) {
        std::vector<UINT> formats;
        for (const ClipboardFormatData& f : snapshot.formats) {
            if (f.format != CF_TEXT && f.format != CF_OEMTEXT && f.format != CF_LOCALE) formats.push_back(f.format);
        }
        return formats;
    }

    HWND owner_ = nullptr;
};

}  // namespace

TEST_F(ClipboardSnapshotTest, TextIsAlwaysKeptAndOtherFormatsOnlyWithinTheBudget) {
    const UINT big = RegisterClipboardFormatW(L"wordHaven test big");
    const UINT small = RegisterClipboardFormatW(L"wordHaven test small");
    const std::vector<uint8_t> text = {'h', 0, 'i', 0, 0, 0};
    Put({{big, std::vector<uint8_t>(800, 1)}, {CF_UNICODETEXT, text}, {small, std::vector<uint8_t>(100, 2)}});

    EXPECT_EQ(Formats(TakeClipboardSnapshot(1000)), (std::vector<UINT>{big, CF_UNICODETEXT, small}));
    // The big format does not fit beside the text; the small one still does.
    const ClipboardSnapshot snapshot = TakeClipboardSnapshot(500);
    ASSERT_EQ(Formats(snapshot), (std::vector<UINT>{CF_UNICODETEXT, small}));
    // Text over the budget is kept; nothing else is asked for once the budget is spent.
    EXPECT_EQ(Formats(TakeClipboardSnapshot(4)), (std::vector<UINT>{CF_UNICODETEXT}));

    // Putting back needs an owner: without one the clipboard is not even emptied.
    const DWORD sequence = GetClipboardSequenceNumber();
    EXPECT_EQ(RestoreClipboardSnapshot(snapshot, nullptr), ClipboardOutcome::Failed);
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    ASSERT_EQ(RestoreClipboardSnapshot(snapshot, owner_), ClipboardOutcome::Done);
    ASSERT_TRUE(OpenClipboard(owner_));
    EXPECT_FALSE(IsClipboardFormatAvailable(big));
    EXPECT_TRUE(IsClipboardFormatAvailable(small));
    HANDLE restored = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(std::memcmp(GlobalLock(restored), text.data(), text.size()), 0);
    GlobalUnlock(restored);
    CloseClipboard();
}
