#pragma once
// Conversions between the list's UTF-16 text and the bytes of a group file.
#include <windows.h>

#include <string>
#include <string_view>

// Appends text in the ANSI code page; false when a character cannot be held
// by it and would come back as something else.
bool AppendAnsiLossless(std::string& out, std::wstring_view text);
void AppendUtf8(std::string& out, std::wstring_view text);
// Decodes a field's bytes (CP_ACP or CP_UTF8), cut to at most maxUnits units.
// exact becomes false when bytes did not decode, or the text was cut or holds a NUL.
std::wstring DecodeField(std::string_view bytes, UINT codePage, size_t maxUnits, bool& exact, bool* cut = nullptr);
