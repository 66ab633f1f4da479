#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/handles.h"

// A fresh, empty folder for one test's files, under the build's test-data folder.
class TestFolder {
public:
    TestFolder();  // named after the running test
    explicit TestFolder(const std::wstring& name);
    ~TestFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Makes the folder the current directory until the folder object goes.
    void Enter();

private:
    std::wstring path_;
    std::wstring previousDirectory_;
};

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// Writes the bytes, making the folders on the way.
void PutFile(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
// How many files a wildcard pattern (such as NAME*.tmp) finds.
int CountFiles(const std::wstring& pattern);
std::string FileText(const std::wstring& path);  // the bytes as they are
// The file opened with no sharing at all, as a spreadsheet program holds the
// file it has open: nobody else reads or writes it until the handle goes.
FileHandle HoldShut(const std::wstring& path);
// Every file below a folder, by its path inside it, with its bytes: equal
// before and after when nothing there was written.
std::map<std::wstring, std::string> FilesUnder(const std::wstring& folder);
std::string Ansi(const std::wstring& text);       // in the ANSI code page
std::wstring Widen(const std::string& utf8);
std::string Utf8(const std::wstring& text);
