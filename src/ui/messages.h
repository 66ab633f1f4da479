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
};

// Values of the message box flags, spelled out so this file needs no Windows header.
inline constexpr unsigned kMessageFlagsOk = 0x0;            // MB_OK
inline constexpr unsigned kMessageFlagsWarning = 0x30;      // MB_ICONWARNING

struct MessageText {
    const char16_t* text;
    const char16_t* caption;
    unsigned flags;
    bool ownedByMainWindow;
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
inline constexpr char16_t kWindowClassFailedText[] = u"ウィンドウクラスの登録失敗";
inline constexpr char16_t kHotkeySetupFailedText[] = u"設定失敗です";

inline constexpr char16_t kMessageCaption[] = u"wordHaven";
inline constexpr char16_t kHotkeySetupFailedCaption[] = u"失敗";

// languageIndex is always 0 or 1: the settings never accept another value.
MessageText DescribeMessage(Message message, int languageIndex);
