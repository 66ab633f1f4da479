#pragma once
// Every message box text the program shows. Four messages follow the
// language index (0 English, 1 Japanese); two are Japanese only.
// Portable: no Windows headers.

enum class Message {
    CsvFileOpenFailed,
    IniFileOpenFailed,
    AlreadyRunning,
    EmptyTerm,
    WindowClassFailed,
    HotkeySetupFailed,
    UnsavedChanges,
    GroupNameUnusable,
    GroupNameTaken,
    GroupFileExists,
    OriginalFileKept,
    SiteFileLinesSkipped,
    SiteChoiceNotSaved,
    EditTargetGone,
};

// Values of the message box flags, spelled out so this file needs no Windows header.
inline constexpr unsigned kMessageFlagsOk = 0x0;            // MB_OK
inline constexpr unsigned kMessageFlagsWarning = 0x30;      // MB_ICONWARNING
inline constexpr unsigned kMessageFlagsInformation = 0x40;  // MB_ICONINFORMATION
inline constexpr unsigned kMessageFlagsQuestion = 0x23;     // MB_YESNOCANCEL | MB_ICONQUESTION

struct MessageText {
    const char16_t* text;
    const char16_t* caption;
    unsigned flags;
    bool takesOwner;  // owned by the window the caller names; the others have no owner
};

// Bilingual messages are two rows of fixed width, English first; the row
// whose number is the language index is the one shown.
inline constexpr char16_t kCsvFileOpenFailedRows[2][40] = {u"CSV file could not be created or opened",
                                                           u"csvファイルオープンに失敗しました"};
inline constexpr char16_t kIniFileOpenFailedRows[2][40] = {u"INI file could not be created or opened",
                                                           u"iniファイルオープンに失敗しました"};
inline constexpr char16_t kAlreadyRunningRows[2][34] = {u"This software is already running.",
                                                        u"既に起動済みです。"};
inline constexpr char16_t kEmptyTermRows[2][19] = {u"Invalid word.", u"用語欄が空白です。"};
inline constexpr const char16_t* kUnsavedChangesRows[2] = {
    u"The list has changes that are not saved. Save them?",
    u"一覧に保存されていない変更があります。保存しますか？"};
inline constexpr const char16_t* kGroupNameUnusableRows[2] = {
    u"This name cannot be used as a file name. Please type another name.",
    u"この名前はファイル名に使えません。別の名前を入力してください。"};
inline constexpr const char16_t* kGroupNameTakenRows[2] = {
    u"Another group already has this name. Please type another name.",
    u"同じ名前のグループがすでにあります。別の名前を入力してください。"};
inline constexpr const char16_t* kGroupFileExistsRows[2] = {
    u"A file of this name is already in the data folder. Please type another name.",
    u"この名前のファイルがデータフォルダーにすでにあります。別の名前を入力してください。"};
inline constexpr const char16_t* kOriginalFileKeptRows[2] = {
    u"Part of this group file could not be shown exactly. Before it was saved, the original was kept as:",
    u"このグループファイルの一部は正確に表示できませんでした。保存の前に、元のファイルを次の名前で残しました:"};
inline constexpr const char16_t* kSiteFileLinesSkippedRows[2] = {
    u"These lines of the search site file wordHaven-sites.txt are not a name and a URL with {query}, and are skipped:",
    u"検索サイトのファイル wordHaven-sites.txt の次の行は、名前と {query} を含む URL になっていないため使いません:"};
inline constexpr const char16_t* kSiteChoiceNotSavedRows[2] = {
    u"The chosen search site could not be written to wordHaven-sites.txt.",
    u"選んだ検索サイトを wordHaven-sites.txt に書き込めませんでした。"};
inline constexpr const char16_t* kEditTargetGoneRows[2] = {
    u"The entry this window was opened for is no longer in the glossary's list, so nothing was written. Copy what you need, then close the window.",
    u"このウィンドウで開いた項目が単語登録の一覧にもうないため、書き込みませんでした。必要な内容をコピーしてから閉じてください。"};
inline constexpr char16_t kWindowClassFailedText[] = u"ウィンドウクラスの登録失敗";
inline constexpr char16_t kHotkeySetupFailedText[] = u"設定失敗です";

inline constexpr char16_t kMessageCaption[] = u"wordHaven";
inline constexpr char16_t kHotkeySetupFailedCaption[] = u"失敗";

// languageIndex is always 0 or 1: the settings never accept another value.
MessageText DescribeMessage(Message message, int languageIndex);
