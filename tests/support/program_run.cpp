#include "support/program_run.h"

#include <gtest/gtest.h>

#include <vector>

std::wstring ProgramPath() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"WORDHAVEN_EXE", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return buffer;
    return L"wordHaven.exe";
}

void EndStrayPrograms() {
    // A program left over from an earlier test would answer in the new one's place.
    while (HWND stale = FindWindowW(L"wordHaven", L"wordHaven")) {
        ADD_FAILURE() << "a wordHaven from an earlier test was still running; ending it";
        DWORD staleId = 0;
        GetWindowThreadProcessId(stale, &staleId);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, staleId);
        if (!process) return;
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

ProgramRun::ProgramRun(const std::wstring& dataFolder) {
    std::wstring command = L"\"" + ProgramPath() + L"\"";
    std::vector<wchar_t> commandLine(command.begin(), command.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dataFolder.c_str(),
                        &startup, &process_)) {
        process_ = {};
        return;
    }
}

ProgramRun::~ProgramRun() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool ProgramRun::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}
