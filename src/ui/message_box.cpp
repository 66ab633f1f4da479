#include "ui/message_box.h"

#include <string>
#include <utility>

#include "common/win32_text.h"
#include "storage/settings.h"

static_assert(kMessageFlagsOk == MB_OK);
static_assert(kMessageFlagsWarning == MB_ICONWARNING);
static_assert(kMessageFlagsInformation == MB_ICONINFORMATION);
static_assert(kMessageFlagsQuestion == (MB_YESNOCANCEL | MB_ICONQUESTION));
static_assert(kMessageFlagsYesNoWarning == (MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));

namespace {

int ShowWithMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(owner, text, caption, flags);
}

MessageBoxPresenter presenter = ShowWithMessageBox;
bool collecting = false;
std::wstring collected;

}  // namespace

void SetMessageBoxPresenter(MessageBoxPresenter replacement) {
    presenter = replacement ? replacement : ShowWithMessageBox;
}

int ShowMessage(Message message, HWND owner, std::wstring_view detail) {
    const MessageText m = DescribeMessage(message, appSettings.languageIndex);
    std::wstring text = AsWide(m.text);
    if (!detail.empty()) text.append(L"\n").append(detail);
    if (collecting) {
        // A question nobody is there to answer is not agreed to.
        if ((m.flags & MB_TYPEMASK) == MB_YESNOCANCEL) return IDCANCEL;
        if ((m.flags & MB_TYPEMASK) == MB_YESNO) return IDNO;
        if (!collected.empty()) collected.append(L"\n\n");
        collected.append(text);
        return IDOK;
    }
    return presenter(m.takesOwner ? owner : nullptr, text.c_str(), AsWide(m.caption), m.flags);
}

void CollectMessagesInstead(bool collect) { collecting = collect; }

std::wstring TakeCollectedMessages() { return std::exchange(collected, {}); }
