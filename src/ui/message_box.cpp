#include "ui/message_box.h"

#include <string>

#include "common/win32_text.h"
#include "storage/settings.h"

static_assert(kMessageFlagsOk == MB_OK);
static_assert(kMessageFlagsWarning == MB_ICONWARNING);
static_assert(kMessageFlagsInformation == MB_ICONINFORMATION);
static_assert(kMessageFlagsQuestion == (MB_YESNOCANCEL | MB_ICONQUESTION));

namespace {

int ShowWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

MessageBoxPresenter presenter = ShowWithMessageBox;

}  // namespace

void SetMessageBoxPresenter(MessageBoxPresenter replacement) {
    presenter = replacement ? replacement : ShowWithMessageBox;
}

int ShowMessage(Message message, HWND owner, std::wstring_view detail) {
    const MessageText m = DescribeMessage(message, appSettings.languageIndex);
    std::wstring text = AsWide(m.text);
    if (!detail.empty()) text.append(L"\n").append(detail);
    return presenter(m.takesOwner ? owner : nullptr, text.c_str(), AsWide(m.caption), m.flags);
}
