#include "storage/ansi_text.h"

namespace {

std::string Encode(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring Decode(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(codePage, flags, bytes.data(), length, text.data(), units);
    return text;
}

}  // namespace

bool AppendAnsiLossless(std::string& out, std::wstring_view text) {
    // Converting back and comparing catches both the default character and
    // best-fit replacements (an é written as e), whatever the code page.
    const std::string bytes = Encode(CP_THREAD_ACP, text);
    if (Decode(bytes, CP_ACP) != text) return false;
    out += bytes;
    return true;
}

void AppendUtf8(std::string& out, std::wstring_view text) { out += Encode(CP_UTF8, text); }

std::wstring DecodeField(std::string_view bytes, UINT codePage, size_t maxUnits) {
    std::wstring text = Decode(bytes, codePage);
    if (text.size() > maxUnits) {
        size_t cut = maxUnits;
        if (cut > 0 && IS_HIGH_SURROGATE(text[cut - 1])) --cut;  // never half a character
        text.resize(cut);
    }
    return text;
}
