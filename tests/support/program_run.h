#pragma once
#include <windows.h>

#include <string>

// The real wordHaven.exe of this build, started in a data folder.
class ProgramRun {
public:
    explicit ProgramRun(const std::wstring& dataFolder);
    ~ProgramRun();  // ends the program if a test left it running
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    // Waits for the process to end; returns false on time-out.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode = nullptr);

private:
    PROCESS_INFORMATION process_{};
};

std::wstring ProgramPath();
// Ends any wordHaven still running from an earlier test, failing the test that finds one.
void EndStrayPrograms();
