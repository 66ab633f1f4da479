#pragma once
// What the end-to-end tests share: a fresh data folder per test with no
// wordHaven left running from an earlier one, files written as other
// programs write them, the settings file as it is on disk, and the texts of
// the program's questions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "storage/settings.h"
#include "support/session.h"
#include "support/test_folder.h"

inline const std::wstring kUnsavedQuestion = L"一覧に保存されていない変更があります。保存しますか？";
inline const std::wstring kEditedEntryQuestion = L"編集中の項目はまだ一覧に入っていません。一覧に入れて保存しますか？";
inline const std::wstring kSaveFailed = L"csvファイルオープンに失敗しました";

class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    std::wstring File(const std::wstring& name) const { return folder_.File(name); }
    TestFolder folder_;
};

// The bytes as they are.
void WriteText(const std::wstring& path, const std::string& bytes);
// The text in the ANSI code page, as the group files of earlier versions.
void WriteText(const std::wstring& path, const std::wstring& text);

bool ApplyEnabled(const Session& session);
AppSettings SettingsOnDisk(const std::wstring& path);
void WriteSettings(const std::wstring& path, const AppSettings& settings);

// Opens the program's Save As (from the glossary's export button, or from
// the tray menu) and browses it into another folder, as a user looking for a
// place would; the dialog stays open. Null when it did not open.
HWND OpenSaveAsBrowsedTo(Session& session, bool fromTray, const std::wstring& folder);
void CancelSaveAs(Session& session, HWND saveAs);
// The Startup folder's wordHaven.lnk: where it starts the program; empty when there is none.
std::wstring StartupShortcutPath();
std::wstring StartupShortcutStartFolder();
