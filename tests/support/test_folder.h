#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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
std::string Ansi(const std::wstring& text);       // in the ANSI code page
std::wstring Widen(const std::string& utf8);
std::string Utf8(const std::wstring& text);
