#pragma once
// Every message box the program shows: its text from the table of the
// language (ui/texts.h), its caption, its buttons and icon.
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

// The two start-up failures have always been Japanese, whatever the language.
inline constexpr char16_t kWindowClassFailedText[] = u"ウィンドウクラスの登録失敗";
inline constexpr char16_t kHotkeySetupFailedText[] = u"設定失敗です";

inline constexpr char16_t kMessageCaption[] = u"wordHaven";
inline constexpr char16_t kHotkeySetupFailedCaption[] = u"失敗";

// languageIndex is always 0 or 1: the settings never accept another value.
MessageText DescribeMessage(Message message, int languageIndex);
