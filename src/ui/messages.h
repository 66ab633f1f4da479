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
    CutOffSaveFound,
    SiteFileTooLarge,
    SiteFileWithoutSites,
    ChangedFileKept,
    EditedEntryUnsaved,
    SessionEndNotes,
    GroupNamesShareFile,
    BackupFailed,
    ExportFailed,
    StartupShortcutFailed,
    EditTargetGone,
    SettingsFileUnreadable,
    EditedEntryNotSaved,
    ExportTargetIsOwnFile,
    ExportGroupsUnreadable,
    LongTextsCut,
};

// Values of the message box flags, spelled out so this file needs no Windows header.
inline constexpr unsigned kMessageFlagsOk = 0x0;            // MB_OK
inline constexpr unsigned kMessageFlagsWarning = 0x30;      // MB_ICONWARNING
inline constexpr unsigned kMessageFlagsInformation = 0x40;  // MB_ICONINFORMATION
inline constexpr unsigned kMessageFlagsQuestion = 0x23;     // MB_YESNOCANCEL | MB_ICONQUESTION
inline constexpr unsigned kMessageFlagsYesNoWarning = 0x134;  // MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2

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
inline constexpr const char16_t* kCutOffSaveFoundRows[2] = {
    u"A file was not found, but a save that was cut off left its content in another file beside it. "
    u"To take that content back, exit wordHaven and give the second file the name of the first:",
    u"ファイルが見つかりませんが、中断された保存の内容が同じフォルダーの別のファイルに残っています。"
    u"その内容を戻すには、wordHaven を終了してから、2 番目のファイルの名前を 1 番目の名前に変えてください:"};
inline constexpr const char16_t* kSiteFileTooLargeRows[2] = {
    u"The search site file wordHaven-sites.txt is too large to be a list of sites. It is not used and is left as "
    u"it is; the preset sites serve meanwhile.",
    u"検索サイトのファイル wordHaven-sites.txt は大きすぎるため、サイトの一覧として使いません。"
    u"ファイルはそのままにして、その間は既定のサイトを使います。"};
inline constexpr const char16_t* kSiteFileWithoutSitesRows[2] = {
    u"The search site file wordHaven-sites.txt has no line that is a name and a URL with {query}. It is left as it "
    u"is; the preset sites serve meanwhile.",
    u"検索サイトのファイル wordHaven-sites.txt には、名前と {query} を含む URL の行がありません。"
    u"ファイルはそのままにして、その間は既定のサイトを使います。"};
inline constexpr const char16_t* kChangedFileKeptRows[2] = {
    u"Another program changed this group file after the glossary read it. Before it was saved, the file as it stood was kept as:",
    u"このグループファイルは、用語集が読み込んだ後に別のプログラムで変更されていました。保存の前に、その時点のファイルを次の名前で残しました:"};
inline constexpr const char16_t* kEditedEntryUnsavedRows[2] = {
    u"The entry being edited is not in the list yet. Put it into the list and save?",
    u"編集中の項目はまだ一覧に入っていません。一覧に入れて保存しますか？"};
inline constexpr const char16_t* kSessionEndNotesRows[2] = {
    u"When Windows last ended the session, wordHaven saved the glossary without asking and could not show this:",
    u"前回 Windows が終了したとき、wordHaven は確認せずに用語集を保存しました。その際に表示できなかった内容です:"};
inline constexpr const char16_t* kGroupNamesShareFileRows[2] = {
    u"These groups had a name leading to the same file as an earlier group. Until they are renamed they use their own names:",
    u"次のグループの名前は、前のグループと同じファイルを指していました。名前を変更するまで、それぞれ次の名前を使います:"};
inline constexpr const char16_t* kBackupFailedRows[2] = {
    u"The daily backup of this file could not be made in the backup folder. The file itself was saved. "
    u"This is told once until wordHaven starts again:",
    u"このファイルの毎日のバックアップを backup フォルダーに作れませんでした。ファイル自体は保存しました。"
    u"このお知らせは wordHaven を次に起動するまで出しません:"};
inline constexpr const char16_t* kExportFailedRows[2] = {
    u"The glossary could not be exported to this file. An existing file of this name was left as it was:",
    u"用語集をこのファイルに書き出せませんでした。同じ名前の既存のファイルはそのままです:"};
inline constexpr const char16_t* kStartupShortcutFailedRows[2] = {
    u"The shortcut that starts wordHaven with Windows could not be changed:",
    u"Windows 起動時に wordHaven を開始するショートカットを変更できませんでした:"};
inline constexpr const char16_t* kEditTargetGoneRows[2] = {
    u"The entry this window was opened for is no longer in the glossary's list, so nothing was written. Copy what you need, then close the window.",
    u"このウィンドウで開いた項目が単語登録の一覧にもうないため、書き込みませんでした。必要な内容をコピーしてから閉じてください。"};
inline constexpr const char16_t* kSettingsFileUnreadableRows[2] = {
    u"The settings file wordHaven.ini is there but could not be read; another program may be holding it. "
    u"wordHaven runs with its default settings and group names for now and leaves the file as it is. "
    u"To get your group names back, exit wordHaven, close the other program and start wordHaven again:",
    u"設定ファイル wordHaven.ini はありますが、読み込めませんでした。別のプログラムが開いている可能性があります。"
    u"wordHaven は今回は既定の設定とグループ名で動作し、このファイルは変更しません。"
    u"グループ名を戻すには、wordHaven を終了し、そのプログラムを閉じてから、もう一度起動してください:"};
inline constexpr const char16_t* kEditedEntryNotSavedRows[2] = {
    u"The entry being edited could not be put into the glossary: its term was empty, or the entry it was opened "
    u"for was no longer in the list. What it held:",
    u"編集中の項目を用語集に入れられませんでした。用語欄が空白だったか、開いた元の項目が一覧になかったためです。"
    u"項目の内容:"};
// The names of an entry's four texts, as the list's column headers give them.
inline constexpr const char16_t* kEntryFieldLabels[2][4] = {{u"Term", u"Reading", u"Spelling", u"Meaning"},
                                                            {u"用語", u"読み方", u"スペル", u"意味"}};
inline constexpr const char16_t* kExportTargetIsOwnFileRows[2] = {
    u"This is one of wordHaven's own files (a group's file, the settings, the search sites, the logoff notes or a "
    u"backup), which an export never replaces. Please choose another name or folder:",
    u"これは wordHaven 自身のファイル（グループのファイル、設定、検索サイト、ログオフ時のメモ、バックアップ）のため、"
    u"書き出しで置き換えることはできません。別の名前かフォルダーを選んでください:"};
inline constexpr const char16_t* kExportGroupsUnreadableRows[2] = {
    u"These groups could not be read (another program may be using the file, or it is too large). "
    u"Export without them? If you choose No, nothing is written:",
    u"次のグループは読み込めませんでした（ほかのプログラムがファイルを使用中か、ファイルが大きすぎる可能性があります）。"
    u"これらを除いて書き出しますか？「いいえ」を選ぶと何も書き出しません:"};
inline constexpr const char16_t* kLongTextsCutRows[2] = {
    u"Some texts of this group are longer than an entry holds (3,999 characters) and are shown cut; an export or "
    u"a save gives them cut too. The group file as it was is kept beside it:",
    u"このグループには 1 項目に入る長さ（3,999 文字）を超える文字列があり、途中までを表示しています。"
    u"書き出しや保存でも途中までになります。元のグループファイルは次の名前で残しました:"};
inline constexpr char16_t kWindowClassFailedText[] = u"ウィンドウクラスの登録失敗";
inline constexpr char16_t kHotkeySetupFailedText[] = u"設定失敗です";

inline constexpr char16_t kMessageCaption[] = u"wordHaven";
inline constexpr char16_t kHotkeySetupFailedCaption[] = u"失敗";

// languageIndex is always 0 or 1: the settings never accept another value.
MessageText DescribeMessage(Message message, int languageIndex);
