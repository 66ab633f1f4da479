// The resources the code loads by number, read back from the linked resource script.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_template.h"
#include "ui/resource_ids.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct ExpectedItem {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    short x, y, cx, cy;
};

void ExpectDialog(int id, const wchar_t* title, DWORD style, short cx, short cy,
                  const std::vector<ExpectedItem>& expected) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(GetModuleHandleW(nullptr), id, kJapanese, t)) << "dialog " << id;
    EXPECT_EQ(t.title, title);
    EXPECT_EQ(t.style, style) << std::hex << t.style;
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, cx);
    EXPECT_EQ(t.cy, cy);
    EXPECT_TRUE(t.menu.empty());
    EXPECT_TRUE(t.windowClass.empty());
    EXPECT_EQ(t.pointSize, 10);
    EXPECT_EQ(t.weight, 400);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, SHIFTJIS_CHARSET);
    EXPECT_EQ(t.typeface, L"ＭＳ ゴシック");
    ASSERT_EQ(t.items.size(), expected.size()) << "dialog " << id;
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& item = t.items[i];
        const ExpectedItem& e = expected[i];
        SCOPED_TRACE(testing::Message() << "dialog " << id << " item " << i);
        EXPECT_EQ(static_cast<short>(item.id), e.id);
        EXPECT_EQ(item.className, e.className);
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.style, e.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
    }
}

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

}  // namespace

TEST(Resources, AboutDialogTemplate) {
    ExpectDialog(IDD_ABOUTBOX, L"ヘルプ", DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 251, 96,
                 {
                     {-1, L"Static", L"#107", kVisibleChild | SS_ICON, 14, 14, 20, 20},
                     {IDC_ABOUT_VERSION, L"Static", L"wordHaven, バージョン 1.0.0", kVisibleChild | WS_GROUP | SS_NOPREFIX, 40, 15, 138, 8},
                     {IDC_ABOUT_NOTICE, L"Static", L"語彙を集める読書の友", kVisibleChild | WS_GROUP, 40, 26, 114, 8},
                     {IDOK, L"Button", L"OK", kVisibleChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 194, 75, 50, 14},
                     {1050, L"Static", L"Web: ", kVisibleChild | WS_GROUP, 15, 44, 28, 8},
                     {1049, L"Static", L"E-Mail: ", kVisibleChild | WS_GROUP, 15, 57, 28, 8},
                     {1048, L"Static", L"https://wordhaven.example.org/", kVisibleChild | WS_GROUP | SS_NOTIFY, 47, 45, 196, 8},
                     {1047, L"Static", L"support@wordhaven.example.org", kVisibleChild | WS_GROUP | SS_NOTIFY, 47, 58, 115, 8},
                 });
}

TEST(Resources, RegisterDialogTemplate) {
    ExpectDialog(IDD_REGISTER, L"単語登録",
                 DS_SETFONT | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_VISIBLE, 502, 300,
                 {
                     {IDOK, L"Button", L"OK", kVisibleChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 338, 276, 50, 14},
                     {IDCANCEL, L"Button", L"キャンセル", kVisibleChild | WS_TABSTOP, 392, 276, 50, 14},
                     {3, L"Button", L"適用", kVisibleChild | WS_DISABLED | WS_TABSTOP, 446, 276, 50, 14},
                     {1039, L"ComboBox", L"", kVisibleChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT, 73, 9, 163, 32},
                     {1040, L"Static", L"グループ: ", kVisibleChild | WS_GROUP, 12, 11, 51, 15},
                     {1041, L"Button", L"新規", kVisibleChild | WS_TABSTOP, 423, 34, 73, 18},
                     {1042, L"Button", L"削除", kVisibleChild | WS_TABSTOP, 423, 56, 73, 18},
                     {1043, L"Button", L"▲", kVisibleChild | WS_TABSTOP, 423, 79, 73, 18},
                     {1044, L"Button", L"▼", kVisibleChild | WS_TABSTOP, 423, 102, 73, 18},
                     {1045, L"Static", L"グループ名変更: ", kVisibleChild | WS_GROUP, 248, 11, 70, 15},
                     {1046, L"Edit", L"", kVisibleChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 320, 9, 130, 14},
                 });
}

TEST(Resources, EditDialogTemplate) {
    ExpectDialog(IDD_EDIT, L"編集", DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 471, 300,
                 {
                     {1044, L"Edit", L"",
                      kVisibleChild | WS_BORDER | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN,
                      60, 92, 390, 70},
                     {IDOK, L"Button", L"OK", kVisibleChild | WS_TABSTOP, 348, 273, 50, 14},
                     {IDCANCEL, L"Button", L"キャンセル", kVisibleChild | WS_TABSTOP, 402, 273, 50, 14},
                     {1037, L"Edit", L"", kVisibleChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 19, 390, 14},
                     {1040, L"Edit", L"", kVisibleChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 43, 390, 14},
                     {1042, L"Edit", L"", kVisibleChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 67, 390, 14},
                     {1038, L"Static", L"用語: ", kVisibleChild | WS_GROUP, 17, 22, 38, 12},
                     {1039, L"Static", L"読み: ", kVisibleChild | WS_GROUP, 17, 46, 34, 12},
                     {1041, L"Static", L"スペル: ", kVisibleChild | WS_GROUP, 17, 70, 38, 12},
                     {1043, L"Static", L"説明: ", kVisibleChild | WS_GROUP, 17, 95, 38, 12},
                     {1066, L"Static", L"辞書: ", kVisibleChild | WS_GROUP, 17, 170, 38, 12},
                     {1067, L"Edit", L"", kVisibleChild | ES_MULTILINE | ES_READONLY, 60, 170, 390, 18},
                     {1068, L"SYSLISTVIEW32", L"",
                      kVisibleChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                      60, 190, 390, 76},
                 });
}

TEST(Resources, TrayMenuHoldsItsCommands) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(MenuText(menu, 0), L"メニュー(&M)");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 9);
    EXPECT_EQ(MenuText(popup, 0), L"登録 (&R)");
    EXPECT_EQ(GetMenuItemID(popup, 0), 32772u);
    EXPECT_EQ(MenuText(popup, 1), L"検索 (&F)");
    EXPECT_EQ(MenuText(popup, 2), L"書き出し… (&X)");
    EXPECT_EQ(GetMenuItemID(popup, 2), static_cast<UINT>(IDM_EXPORT));
    EXPECT_TRUE(GetMenuState(popup, 3, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(popup, 4), L"&Windows 起動時に開始");
    EXPECT_EQ(GetMenuItemID(popup, 4), static_cast<UINT>(IDM_START_WITH_WINDOWS));
    HMENU languages = GetSubMenu(popup, 5);
    ASSERT_NE(languages, nullptr);
    ASSERT_EQ(GetMenuItemCount(languages), 2);
    EXPECT_EQ(GetMenuItemID(languages, 0), static_cast<UINT>(IDM_LANGUAGE_ENGLISH));
    EXPECT_EQ(GetMenuItemID(languages, 1), static_cast<UINT>(IDM_LANGUAGE_JAPANESE));
    EXPECT_TRUE(GetMenuState(popup, 6, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(popup, 7), L"ヘルプ (&H)");
    EXPECT_EQ(GetMenuItemID(popup, 7), 32774u);
    EXPECT_EQ(MenuText(popup, 8), L"終了 (&E)");
    EXPECT_EQ(GetMenuItemID(popup, 8), 105u);
    for (int i : {0, 1, 2, 4, 7, 8}) {
        EXPECT_EQ(GetMenuState(popup, i, MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED | MF_CHECKED | MF_SEPARATOR), 0u);
    }
    DestroyMenu(menu);
}

TEST(Resources, ClassMenu) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_WORDHAVEN));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuText(menu, 0), L"ファイル (&F)");
    EXPECT_EQ(MenuText(GetSubMenu(menu, 0), 0), L"終了 (&E)");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), 105u);
    EXPECT_EQ(MenuText(menu, 1), L"ヘルプ (&H)");
    EXPECT_EQ(MenuText(GetSubMenu(menu, 1), 0), L"バージョン情報 (&A)...");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 1), 0), 104u);
    DestroyMenu(menu);
}

TEST(Resources, IconsHoldTheirImagesForEveryDisplayScale) {
    struct GroupEntry {
        BYTE width, height, colors, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    for (int id : {IDI_WORDHAVEN, IDI_SMALL}) {
        HRSRC group = FindResourceExW(nullptr, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEW(id), kJapanese);
        ASSERT_NE(group, nullptr) << id;
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
        WORD count;
        memcpy(&count, data + 4, 2);
        std::vector<std::pair<int, int>> images;
        for (int i = 0; i < count; ++i) {
            GroupEntry e;
            memcpy(&e, data + 6 + 14 * i, 14);
            images.emplace_back(e.width, e.bitCount);
        }
        // The three of old first, then full colour at the sizes of 125 % to 200 %.
        EXPECT_EQ(images, (std::vector<std::pair<int, int>>{
                              {32, 32}, {32, 8}, {16, 8}, {64, 32}, {48, 32}, {40, 32}, {24, 32}, {20, 32}, {16, 32}}))
            << id;
    }
}

TEST(Resources, LinkCursorHasEveryScaleWithTheFingertipAsHotSpot) {
    struct Expected {
        int size;
        DWORD hotX, hotY;
    };
    for (Expected e : {Expected{64, 12, 0}, Expected{48, 9, 0}, Expected{40, 6, 0}, Expected{32, 4, 0}}) {
        HCURSOR cursor = static_cast<HCURSOR>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND), IMAGE_CURSOR, e.size, e.size, 0));
        ASSERT_NE(cursor, nullptr) << e.size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, e.hotX) << e.size;
        EXPECT_EQ(info.yHotspot, e.hotY) << e.size;
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, e.size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyCursor(cursor);
    }
}

TEST(Resources, StringsAcceleratorsAndManifest) {
    HMODULE module = GetModuleHandleW(nullptr);
    wchar_t text[64] = {};
    LoadStringW(module, IDS_APP_TITLE, text, 64);
    EXPECT_STREQ(text, L"wordHaven");
    LoadStringW(module, IDC_WORDHAVEN, text, 64);
    EXPECT_STREQ(text, L"WORDHAVEN");

    HACCEL accelerators = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDC_WORDHAVEN));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, entries, 4), 2);
    for (const ACCEL& a : {entries[0], entries[1]}) {
        EXPECT_EQ(a.cmd, 104);
        EXPECT_TRUE(a.fVirt & FALT);
        EXPECT_FALSE(a.fVirt & FVIRTKEY);
    }
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');

    HRSRC manifest = FindResourceExW(module, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), kEnglishUs);
    ASSERT_NE(manifest, nullptr);
    const char* xml = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    const std::string content(xml, SizeofResource(module, manifest));
    EXPECT_NE(content.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(content.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(content.find("6595b64144ccf1df"), std::string::npos);
    EXPECT_NE(content.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(content.find("uiAccess=\"false\""), std::string::npos);
}
