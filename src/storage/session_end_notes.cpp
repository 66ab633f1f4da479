#include "storage/session_end_notes.h"

#include <windows.h>

#include <string>

#include "common/handles.h"
#include "storage/data_folder.h"

namespace {

std::wstring NotesPath() { return DataFilePath(kSessionEndNotesFileName); }

std::string ToUtf8(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring FromUtf8(std::string_view bytes) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

}  // namespace

bool KeepSessionEndNotes(std::wstring_view text) {
    // Appended and flushed at once: the process may be ended right after.
    FileHandle file(CreateFileW(NotesPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string bytes = ToUtf8(std::wstring(text) + L"\r\n");
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.Get());
}

std::wstring TakeSessionEndNotes() {
    const std::wstring path = NotesPath();
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[16 * 1024];
    // Notes are a few lines; a file grown past this is not read further.
    for (DWORD read = 0; bytes.size() < 256 * 1024; bytes.append(buffer, read)) {
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) || read == 0) break;
    }
    file.Reset();
    DeleteFileW(path.c_str());
    std::wstring text = FromUtf8(bytes);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    return text;
}
