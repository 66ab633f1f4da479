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

// Decodes bytes; with strict, bytes that do not decode make it fail (false) instead of being replaced.
bool Decode(std::string_view bytes, UINT codePage, bool strict, std::wstring& text) {
    text.clear();
    if (bytes.empty()) return true;
    DWORD flags = codePage == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    if (strict) flags |= MB_ERR_INVALID_CHARS;
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (units <= 0) return false;
    text.resize(static_cast<size_t>(units));
    return MultiByteToWideChar(codePage, flags, bytes.data(), length, text.data(), units) == units;
}

}  // namespace

bool AppendAnsiLossless(std::string& out, std::wstring_view text) {
    // Converting back and comparing catches both the default character and
    // best-fit replacements (an é written as e), whatever the code page.
    const std::string bytes = Encode(CP_THREAD_ACP, text);
    std::wstring back;
    if (!Decode(bytes, CP_ACP, false, back) || back != text) return false;
    out += bytes;
    return true;
}

void AppendUtf8(std::string& out, std::wstring_view text) { out += Encode(CP_UTF8, text); }

std::wstring DecodeField(std::string_view bytes, UINT codePage, size_t maxUnits, bool& exact, bool* cut) {
    std::wstring text;
    if (!Decode(bytes, codePage, true, text)) {
        exact = false;
        Decode(bytes, codePage, false, text);
    }
    if (text.find(L'\0') != std::wstring::npos) exact = false;
    if (text.size() > maxUnits) {
        exact = false;
        if (cut) *cut = true;
        size_t cut = maxUnits;
        if (cut > 0 && IS_HIGH_SURROGATE(text[cut - 1])) --cut;  // never half a character
        text.resize(cut);
    }
    return text;
}
