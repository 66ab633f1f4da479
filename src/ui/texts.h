#pragma once
// Every text the user reads, by name, in each language the settings offer
// (0 English, 1 Japanese). Each language has a table of its own; a window
// asks for a name and never holds a text of its own. Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>

enum class Text {
    // The tray icon and its menu.
    TrayTip,
    TrayGlossary,
    TrayFind,
    TraySearchSites,
    TrayExport,
    TrayStartWithWindows,
    TrayLanguage,
    TrayEnglish,
    TrayJapanese,
    TrayAbout,
    TrayExit,
    // The glossary dialog. Its list's column headers are also the labels of
    // exported columns and of an entry's texts in messages.
    GlossaryCaption,
    GlossaryGroupLabel,
    GlossaryRenameLabel,
    GlossaryNew,
    GlossaryDelete,
    GlossaryExport,
    GlossaryApply,
    ButtonOk,
    ButtonCancel,
    ColumnTerm,
    ColumnReading,
    ColumnSpelling,
    ColumnMeaning,
    ColumnGroup,
    // The edit dialog; %1 stands for a group's name, %2 for a count.
    EditCaption,
    EditTermLabel,
    EditReadingLabel,
    EditSpellingLabel,
    EditMeaningLabel,
    EditAlreadyCollected,
    EditCollectedInGroup,
    ListSeparator,
    EditCollectedUnknown,
    // The edit dialog's dictionary list; %1 stands for a folder, a count or file names.
    EditDictionaryLabel,
    DictionaryColumnHeadword,
    DictionaryColumnReading,
    DictionaryColumnMeaning,
    DictionaryColumnForm,
    DictionaryNoneInstalled,
    DictionaryLoading,
    DictionaryNotFound,
    DictionaryFound,
    DictionarySkipped,
    // An inflected form: %1 the forms (joined by InflectionJoiner), %2 the dictionary form.
    DictionaryFormOf,
    InflectionJoiner,
    InflectionPast,
    InflectionTeForm,
    InflectionNegative,
    InflectionPolite,
    InflectionDesire,
    InflectionPotential,
    InflectionPassive,
    InflectionPotentialOrPassive,
    InflectionCausative,
    InflectionCausativePassive,
    InflectionVolitional,
    InflectionImperative,
    InflectionConditionalBa,
    InflectionConditionalTara,
    InflectionProgressive,
    InflectionCompletion,
    InflectionAdverb,
    InflectionPlural,
    InflectionPastParticiple,
    InflectionIngForm,
    InflectionComparative,
    InflectionSuperlative,
    // The find window; %1 stands for the number of results.
    FindCaption,
    FindLabel,
    FindCount,
    FindUnreadGroups,
    FindChosenGone,
    FindOutOfMemory,
    FindEntryNotInList,
    FindCloseEditFirst,
    // The About dialog.
    AboutCaption,
    AboutVersion,
    AboutNotice,
    AboutWebLabel,
    AboutMailLabel,
    // Save As for an export; %1 stands for the current group's name.
    ExportCaption,
    ExportFlashcardsGroup,
    ExportFlashcardsAll,
    ExportSpreadsheetGroup,
    ExportSpreadsheetAll,
    ExportFieldsGroup,
    ExportFieldsAll,
    // Shown by Windows beside the program while a session ends.
    SavingForSessionEnd,
    // Message boxes (ui/messages.h gives each its caption and buttons).
    CsvFileOpenFailed,
    IniFileOpenFailed,
    AlreadyRunning,
    EmptyTerm,
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
    // Told at start-up in Japanese whatever the language, as they always were.
    WindowClassFailed,
    HotkeySetupFailed,
    // Not a text: how many names there are.
    Count,
};

inline constexpr std::size_t kTextNameCount = static_cast<std::size_t>(Text::Count);

inline constexpr int kLanguageCount = 2;
inline constexpr int kEnglish = 0;
inline constexpr int kJapanese = 1;

// An entry's four texts, named as the list's column headers name them.
inline constexpr Text kEntryFieldTexts[4] = {Text::ColumnTerm, Text::ColumnReading, Text::ColumnSpelling,
                                             Text::ColumnMeaning};

struct TextRow {
    Text name;
    const char16_t* text;
};

struct TextTable {
    const TextRow* rows;
    std::size_t count;
};

// The rows of one language, in no particular order.
TextTable TextsOf(int language);
// A text by name; an empty text for a name the language lacks (the tests see to it that none does).
const char16_t* LookUpText(Text name, int language);
// The text with %1 (and %2) filled in.
std::u16string FillIn(Text name, int language, std::u16string_view first, std::u16string_view second = {});
