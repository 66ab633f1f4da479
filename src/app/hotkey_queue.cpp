#include "app/hotkey_queue.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

#include "app/hotkeys.h"
#include "app/selection_capture.h"

namespace {

constexpr DWORD kTick = 10;
// After the search has been handed to the shell, or the edit dialog has closed.
constexpr DWORD kBeforePutBack = 50;
// After the put-back the clipboard is left alone a while for the programs that
// read it on every change; the next hotkey waits until then.
constexpr DWORD kQuietAfterPutBack = 500;
// Another program holding the clipboard when it is to be put back.
constexpr DWORD kPutBackLimit = 200;

enum class Stage {
    Capturing,
    Finishing,      // the search or the edit dialog; other hotkeys may run inside it
    BeforePutBack,
    Quiet,
};

struct Job {
    Job(int id, BYTE letterKey) : hotkeyId(id), capture(letterKey) {}
    int hotkeyId;
    Capture capture;
    Stage stage = Stage::Capturing;
    DWORD since = GetTickCount();
    bool quietAfter = true;
};

std::deque<int> waitingHotkeys;
// While a capture waits for the copy, the clipboard tells the main window of
// every change (WM_CLIPBOARDUPDATE), so the copy is seen the moment it is made.
bool listening = false;
// Oldest first. A job is only started while the newest one is finishing (or
// there is none), and an older job puts back only after every newer one has:
// each newer capture gives back what the older one had copied.
std::vector<std::unique_ptr<Job>> jobs;

void Erase(const Job* job) {
    for (auto it = jobs.begin(); it != jobs.end(); ++it) {
        if (it->get() == job) {
            jobs.erase(it);
            return;
        }
    }
}

bool NewerJobsHavePutBack(size_t index) {
    for (size_t i = index + 1; i < jobs.size(); ++i) {
        if (jobs[i]->stage != Stage::Quiet) return false;
    }
    return true;
}

// Takes one step of the job if it is due; true when something changed.
bool Step(HWND mainWindow, size_t index) {
    Job* job = jobs[index].get();
    const DWORD now = GetTickCount();
    switch (job->stage) {
    case Stage::Capturing:
        switch (job->capture.Advance()) {
        case CaptureResult::Waiting:
            return false;
        case CaptureResult::Unchanged:
            Erase(job);
            return true;
        case CaptureResult::NoText:
            // The copy replaced the clipboard with something else; the user gets theirs back at once.
            job->stage = Stage::BeforePutBack;
            job->since = now - kBeforePutBack;
            job->quietAfter = false;
            return true;
        case CaptureResult::Captured:
            job->stage = Stage::Finishing;
            // May run the edit dialog's loop, in which this function is entered again; that never removes this job.
            FinishHotkey(mainWindow, job->hotkeyId);
            job->stage = Stage::BeforePutBack;
            job->since = GetTickCount();
            return true;
        }
        return false;
    case Stage::Finishing:
        return false;
    case Stage::BeforePutBack:
        if (now - job->since < kBeforePutBack || !NewerJobsHavePutBack(index)) return false;
        if (job->capture.PutBack(mainWindow) == ClipboardOutcome::Busy &&
            now - job->since < kBeforePutBack + kPutBackLimit) {
            return false;
        }
        if (job->quietAfter) {
            job->stage = Stage::Quiet;
            job->since = now;
        } else {
            Erase(job);
        }
        return true;
    case Stage::Quiet:
        if (now - job->since < kQuietAfterPutBack) return false;
        Erase(job);
        return true;
    }
    return false;
}

bool StartWaitingHotkey(HWND mainWindow) {
    if (waitingHotkeys.empty() || (!jobs.empty() && jobs.back()->stage != Stage::Finishing)) return false;
    const int hotkeyId = waitingHotkeys.front();
    waitingHotkeys.pop_front();
    // May run a dialog's loop, in which later hotkeys start.
    if (const BYTE letterKey = BeginHotkey(mainWindow, hotkeyId)) {
        if (!listening) listening = AddClipboardFormatListener(mainWindow) != FALSE;
        jobs.push_back(std::make_unique<Job>(hotkeyId, letterKey));
    }
    return true;
}

void ScheduleTimer(HWND mainWindow) {
    const DWORD now = GetTickCount();
    DWORD wait = INFINITE;
    bool capturing = false;
    for (const auto& job : jobs) {
        switch (job->stage) {
        case Stage::Capturing: {
            capturing = true;
            const DWORD due = job->capture.NextStepDue();
            wait = std::min(wait, due ? due : kTick);
            break;
        }
        case Stage::BeforePutBack: {
            const DWORD due = job->since + kBeforePutBack - now;
            wait = std::min(wait, static_cast<LONG>(due) > 0 ? due : kTick);
            break;
        }
        case Stage::Quiet: {
            const DWORD due = job->since + kQuietAfterPutBack - now;
            wait = std::min(wait, static_cast<LONG>(due) > 0 ? due : kTick);
            break;
        }
        case Stage::Finishing:
            break;
        }
    }
    if (listening && !capturing) listening = !RemoveClipboardFormatListener(mainWindow);
    if (wait == INFINITE) {
        KillTimer(mainWindow, kCaptureTimerId);
    } else {
        SetTimer(mainWindow, kCaptureTimerId, std::max<DWORD>(wait, USER_TIMER_MINIMUM), nullptr);
    }
}

// Moves every job on as far as it can go now; called again and again, also
// from inside the loops of the dialogs that a job runs.
void MoveOn(HWND mainWindow) {
    try {
        for (bool moved = true; moved;) {
            moved = false;
            // Newest first: the jobs vector may change inside a step, so every change starts over.
            for (size_t i = jobs.size(); i-- > 0 && !moved;) moved = Step(mainWindow, i);
            if (!moved) moved = StartWaitingHotkey(mainWindow);
        }
    } catch (...) {
        // Out of memory: the hotkeys still waiting are dropped; the program goes on.
        waitingHotkeys.clear();
    }
    ScheduleTimer(mainWindow);
}

}  // namespace

void QueueHotkey(HWND mainWindow, int hotkeyId) {
    try {
        waitingHotkeys.push_back(hotkeyId);
    } catch (...) {
        return;
    }
    MoveOn(mainWindow);
}

bool OnCaptureTimer(HWND mainWindow, UINT_PTR timerId) {
    if (timerId != kCaptureTimerId) return false;
    MoveOn(mainWindow);
    return true;
}

void OnClipboardUpdate(HWND mainWindow) {
    if (listening) MoveOn(mainWindow);
}

void PutBackClipboardsNow(HWND mainWindow) {
    waitingHotkeys.clear();
    KillTimer(mainWindow, kCaptureTimerId);
    if (listening) listening = !RemoveClipboardFormatListener(mainWindow);
    for (size_t i = jobs.size(); i-- > 0;) {
        jobs[i]->capture.PutBack(mainWindow);
        // A finishing job is still in use further up the stack; it has nothing left to put back.
        if (jobs[i]->stage != Stage::Finishing) jobs.erase(jobs.begin() + static_cast<std::ptrdiff_t>(i));
    }
}
