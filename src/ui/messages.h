#pragma once
// Every message box the program shows: its text from the table of the
// language (ui/texts.h), its caption, its buttons and icon.
// Portable: no Windows headers.
#include "ui/texts.h"

// A message box is named by its text's name.
using Message = Text;

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

inline constexpr char16_t kMessageCaption[] = u"wordHaven";
inline constexpr char16_t kHotkeySetupFailedCaption[] = u"失敗";

// languageIndex is always 0 or 1: the settings never accept another value.
MessageText DescribeMessage(Message message, int languageIndex);
