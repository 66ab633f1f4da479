#include "ui/messages.h"

MessageText DescribeMessage(Message message, int languageIndex) {
    switch (message) {
    case Message::CsvFileOpenFailed:
        return {kCsvFileOpenFailedRows[languageIndex], kMessageCaption, kMessageFlagsOk, true};
    case Message::IniFileOpenFailed:
        return {kIniFileOpenFailedRows[languageIndex], kMessageCaption, kMessageFlagsOk, true};
    case Message::AlreadyRunning:
        return {kAlreadyRunningRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::EmptyTerm:
        return {kEmptyTermRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::WindowClassFailed:
        return {kWindowClassFailedText, kMessageCaption, kMessageFlagsOk, false};
    case Message::HotkeySetupFailed:
        return {kHotkeySetupFailedText, kHotkeySetupFailedCaption, kMessageFlagsOk, true};
    case Message::UnsavedChanges:
        return {kUnsavedChangesRows[languageIndex], kMessageCaption, kMessageFlagsQuestion, true};
    case Message::GroupNameUnusable:
        return {kGroupNameUnusableRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::GroupNameTaken:
        return {kGroupNameTakenRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::GroupFileExists:
        return {kGroupFileExistsRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::OriginalFileKept:
        return {kOriginalFileKeptRows[languageIndex], kMessageCaption, kMessageFlagsInformation, true};
    case Message::SiteFileLinesSkipped:
        return {kSiteFileLinesSkippedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::SiteChoiceNotSaved:
        return {kSiteChoiceNotSavedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::CutOffSaveFound:
        return {kCutOffSaveFoundRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::SiteFileTooLarge:
        return {kSiteFileTooLargeRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::SiteFileWithoutSites:
        return {kSiteFileWithoutSitesRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::ChangedFileKept:
        return {kChangedFileKeptRows[languageIndex], kMessageCaption, kMessageFlagsInformation, true};
    case Message::EditedEntryUnsaved:
        return {kEditedEntryUnsavedRows[languageIndex], kMessageCaption, kMessageFlagsQuestion, true};
    case Message::SessionEndNotes:
        return {kSessionEndNotesRows[languageIndex], kMessageCaption, kMessageFlagsInformation, false};
    case Message::GroupNamesShareFile:
        return {kGroupNamesShareFileRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::BackupFailed:
        return {kBackupFailedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::ExportFailed:
        return {kExportFailedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::StartupShortcutFailed:
        return {kStartupShortcutFailedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::EditTargetGone:
        return {kEditTargetGoneRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::SettingsFileUnreadable:
        return {kSettingsFileUnreadableRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::EditedEntryNotSaved:
        return {kEditedEntryNotSavedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, false};
    case Message::ExportTargetIsOwnFile:
        return {kExportTargetIsOwnFileRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::ExportGroupsUnreadable:
        return {kExportGroupsUnreadableRows[languageIndex], kMessageCaption, kMessageFlagsYesNoWarning, true};
    case Message::LongTextsCut:
        return {kLongTextsCutRows[languageIndex], kMessageCaption, kMessageFlagsInformation, true};
    }
    return {kMessageCaption, kMessageCaption, kMessageFlagsOk, false};
}
