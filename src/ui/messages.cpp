#include "ui/messages.h"

namespace {

unsigned FlagsOf(Message message) {
    switch (message) {
    case Message::AlreadyRunning:
    case Message::EmptyTerm:
    case Message::GroupNameUnusable:
    case Message::GroupNameTaken:
    case Message::GroupFileExists:
    case Message::SiteFileLinesSkipped:
    case Message::SiteChoiceNotSaved:
    case Message::CutOffSaveFound:
    case Message::SiteFileTooLarge:
    case Message::SiteFileWithoutSites:
    case Message::GroupNamesShareFile:
    case Message::BackupFailed:
    case Message::ExportFailed:
    case Message::StartupShortcutFailed:
    case Message::EditTargetGone:
    case Message::SettingsFileUnreadable:
    case Message::EditedEntryNotSaved:
    case Message::ExportTargetIsOwnFile:
        return kMessageFlagsWarning;
    case Message::OriginalFileKept:
    case Message::ChangedFileKept:
    case Message::SessionEndNotes:
    case Message::LongTextsCut:
        return kMessageFlagsInformation;
    case Message::UnsavedChanges:
    case Message::EditedEntryUnsaved:
        return kMessageFlagsQuestion;
    case Message::ExportGroupsUnreadable:
        return kMessageFlagsYesNoWarning;
    default:
        return kMessageFlagsOk;
    }
}

// Told at start-up, at exit or from the tray, with no window of the program's
// to stand over: these have no owner.
bool TakesOwner(Message message) {
    switch (message) {
    case Message::AlreadyRunning:
    case Message::WindowClassFailed:
    case Message::CutOffSaveFound:
    case Message::SessionEndNotes:
    case Message::GroupNamesShareFile:
    case Message::BackupFailed:
    case Message::SettingsFileUnreadable:
    case Message::EditedEntryNotSaved:
        return false;
    default:
        return true;
    }
}

}  // namespace

MessageText DescribeMessage(Message message, int languageIndex) {
    const char16_t* caption = message == Message::HotkeySetupFailed ? kHotkeySetupFailedCaption : kMessageCaption;
    return {LookUpText(message, languageIndex), caption, FlagsOf(message), TakesOwner(message)};
}
