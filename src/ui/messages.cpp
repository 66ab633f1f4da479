#include "ui/messages.h"

MessageText DescribeMessage(Message message, int languageIndex) {
    switch (message) {
    case Message::CsvFileOpenFailed:
        return {kCsvFileOpenFailedRows[languageIndex], kMessageCaption, kMessageFlagsOk, false};
    case Message::IniFileOpenFailed:
        return {kIniFileOpenFailedRows[languageIndex], kMessageCaption, kMessageFlagsOk, false};
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
        return {kOriginalFileKeptRows[languageIndex], kMessageCaption, kMessageFlagsInformation, false};
    case Message::SiteFileLinesSkipped:
        return {kSiteFileLinesSkippedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::SiteChoiceNotSaved:
        return {kSiteChoiceNotSavedRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    case Message::EditTargetGone:
        return {kEditTargetGoneRows[languageIndex], kMessageCaption, kMessageFlagsWarning, true};
    }
    return {kMessageCaption, kMessageCaption, kMessageFlagsOk, false};
}
