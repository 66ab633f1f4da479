#include "ui/message_box.h"

#include "common/win32_text.h"
#include "storage/settings.h"

static_assert(kMessageFlagsOk == MB_OK);
static_assert(kMessageFlagsWarning == MB_ICONWARNING);

namespace {

int ShowWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

MessageBoxPresenter presenter = ShowWithMessageBox;

}  // namespace

void SetMessageBoxPresenter(MessageBoxPresenter replacement) {
    presenter = replacement ? replacement : ShowWithMessageBox;
}

void ShowMessage(Message message, HWND owner) {
    const MessageText m = DescribeMessage(message, appSettings.languageIndex);
    presenter(owner, AsWide(m.text), AsWide(m.caption), m.flags);
}
