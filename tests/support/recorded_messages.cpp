#include "support/recorded_messages.h"

#include "storage/settings.h"
#include "ui/message_box.h"

namespace {

std::vector<RecordedMessage> recorded;
int answer = IDOK;

int Record(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    recorded.push_back({owner, text, caption, flags});
    return answer;
}

}  // namespace

std::vector<RecordedMessage>& RecordMessages() {
    recorded.clear();
    answer = IDOK;
    SetMessageBoxPresenter(Record);
    return recorded;
}

std::vector<RecordedMessage>& StartFromDefaults() {
    appSettings = DefaultAppSettings();
    viewLayout = DefaultViewLayout();
    return RecordMessages();
}

void AnswerMessagesWith(int button) { answer = button; }
