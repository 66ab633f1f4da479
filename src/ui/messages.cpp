#include "ui/messages.h"

#include "ui/texts.h"

MessageText DescribeMessage(Message message, int languageIndex) {
    switch (message) {
    case Message::CsvFileOpenFailed:
        return {LookUpText(Text::CsvFileOpenFailed, languageIndex), kMessageCaption, kMessageFlagsOk, true};
    case Message::IniFileOpenFailed:
        return {LookUpText(Text::IniFileOpenFailed, languageIndex), kMessageCaption, kMessageFlagsOk, true};
    case Message::AlreadyRunning:
        return {LookUpText(Text::AlreadyRunning, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::EmptyTerm:
        return {LookUpText(Text::EmptyTerm, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::WindowClassFailed:
        return {kWindowClassFailedText, kMessageCaption, kMessageFlagsOk, false};
    case Message::HotkeySetupFailed:
        return {kHotkeySetupFailedText, kHotkeySetupFailedCaption, kMessageFlagsOk, true};
    case Message::UnsavedChanges:
        return {LookUpText(Text::UnsavedChanges, languageIndex), kMessageCaption, kMessageFlagsQuestion, true};
    case Message::GroupNameUnusable:
        return {LookUpText(Text::GroupNameUnusable, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::GroupNameTaken:
        return {LookUpText(Text::GroupNameTaken, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::GroupFileExists:
        return {LookUpText(Text::GroupFileExists, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::OriginalFileKept:
        return {LookUpText(Text::OriginalFileKept, languageIndex), kMessageCaption, kMessageFlagsInformation, true};
    case Message::SiteFileLinesSkipped:
        return {LookUpText(Text::SiteFileLinesSkipped, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::SiteChoiceNotSaved:
        return {LookUpText(Text::SiteChoiceNotSaved, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::CutOffSaveFound:
        return {LookUpText(Text::CutOffSaveFound, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::SiteFileTooLarge:
        return {LookUpText(Text::SiteFileTooLarge, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::SiteFileWithoutSites:
        return {LookUpText(Text::SiteFileWithoutSites, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::ChangedFileKept:
        return {LookUpText(Text::ChangedFileKept, languageIndex), kMessageCaption, kMessageFlagsInformation, true};
    case Message::EditedEntryUnsaved:
        return {LookUpText(Text::EditedEntryUnsaved, languageIndex), kMessageCaption, kMessageFlagsQuestion, true};
    case Message::SessionEndNotes:
        return {LookUpText(Text::SessionEndNotes, languageIndex), kMessageCaption, kMessageFlagsInformation, false};
    case Message::GroupNamesShareFile:
        return {LookUpText(Text::GroupNamesShareFile, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::BackupFailed:
        return {LookUpText(Text::BackupFailed, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::ExportFailed:
        return {LookUpText(Text::ExportFailed, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::StartupShortcutFailed:
        return {LookUpText(Text::StartupShortcutFailed, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::EditTargetGone:
        return {LookUpText(Text::EditTargetGone, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::SettingsFileUnreadable:
        return {LookUpText(Text::SettingsFileUnreadable, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::EditedEntryNotSaved:
        return {LookUpText(Text::EditedEntryNotSaved, languageIndex), kMessageCaption, kMessageFlagsWarning, false};
    case Message::ExportTargetIsOwnFile:
        return {LookUpText(Text::ExportTargetIsOwnFile, languageIndex), kMessageCaption, kMessageFlagsWarning, true};
    case Message::ExportGroupsUnreadable:
        return {LookUpText(Text::ExportGroupsUnreadable, languageIndex), kMessageCaption, kMessageFlagsYesNoWarning, true};
    case Message::LongTextsCut:
        return {LookUpText(Text::LongTextsCut, languageIndex), kMessageCaption, kMessageFlagsInformation, true};
    }
    return {kMessageCaption, kMessageCaption, kMessageFlagsOk, false};
}
