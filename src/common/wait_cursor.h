#pragma once
// The wait cursor for work the user can see take time; the previous cursor
// comes back however the work ends.
#include <windows.h>

class WaitCursor {
public:
    explicit WaitCursor(bool show = true) : previous_(show ? SetCursor(LoadCursorW(nullptr, IDC_WAIT)) : nullptr), shown_(show) {}
    ~WaitCursor() {
        if (shown_) SetCursor(previous_);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
    bool shown_;
};
