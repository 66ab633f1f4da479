#pragma once
// The one place where the portable char16_t text meets the wchar_t of the
// Windows interface; both are UTF-16 code units on Windows.
#include <windows.h>

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline const wchar_t* AsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* AsUtf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
inline char16_t* AsUtf16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }
inline std::u16string_view AsUtf16View(const wchar_t* text) { return std::u16string_view(AsUtf16(text)); }
inline std::wstring AsWideString(std::u16string_view text) { return std::wstring(AsWide(text.data()), text.size()); }

// A window's whole text, however long (a control's, a field's).
inline std::wstring WholeWindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
