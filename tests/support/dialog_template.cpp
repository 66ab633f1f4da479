#include "support/dialog_template.h"

#include <cstring>

namespace {

class Reader {
public:
    explicit Reader(const BYTE* data) : start_(data), p_(data) {}
    template <typename T>
    T Get() {
        T value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    std::wstring GetString() {
        std::wstring s;
        for (WCHAR c = Get<WCHAR>(); c != 0; c = Get<WCHAR>()) s.push_back(c);
        return s;
    }
    // A name or a resource number (0xFFFF followed by the number).
    std::wstring GetNameOrOrdinal(int* ordinal = nullptr) {
        if (ordinal) *ordinal = -1;
        WCHAR first;
        std::memcpy(&first, p_, sizeof first);
        if (first == 0xFFFF) {
            p_ += 2;
            const WORD number = Get<WORD>();
            if (ordinal) *ordinal = number;
            return L"#" + std::to_wstring(number);
        }
        return GetString();
    }
    void AlignToDword() {
        while ((p_ - start_) % 4) ++p_;
    }
    void Skip(size_t n) { p_ += n; }

private:
    const BYTE* start_;
    const BYTE* p_;
};

std::wstring ClassFromOrdinal(const std::wstring& name, int ordinal) {
    switch (ordinal) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x83: return L"ListBox";
    case 0x84: return L"ScrollBar";
    case 0x85: return L"ComboBox";
    default: break;
    }
    if (_wcsicmp(name.c_str(), L"BUTTON") == 0) return L"Button";
    if (_wcsicmp(name.c_str(), L"EDIT") == 0) return L"Edit";
    if (_wcsicmp(name.c_str(), L"STATIC") == 0) return L"Static";
    if (_wcsicmp(name.c_str(), L"COMBOBOX") == 0) return L"ComboBox";
    return name;
}

}  // namespace

bool LoadDialogTemplate(HMODULE module, int id, WORD language, DialogTemplate& out) {
    HRSRC resource = FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id), language);
    if (!resource) return false;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    if (!data) return false;
    Reader r(data);
    const WORD version = r.Get<WORD>();
    const WORD signature = r.Get<WORD>();
    out.extended = version == 1 && signature == 0xFFFF;
    if (!out.extended) return false;
    r.Get<DWORD>();  // help id
    out.exStyle = r.Get<DWORD>();
    out.style = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    out.x = r.Get<short>();
    out.y = r.Get<short>();
    out.cx = r.Get<short>();
    out.cy = r.Get<short>();
    out.menu = r.GetNameOrOrdinal();
    out.windowClass = r.GetNameOrOrdinal();
    out.title = r.GetString();
    if (out.style & (DS_SETFONT | DS_SHELLFONT)) {
        out.pointSize = r.Get<WORD>();
        out.weight = r.Get<WORD>();
        out.italic = r.Get<BYTE>();
        out.charset = r.Get<BYTE>();
        out.typeface = r.GetString();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignToDword();
        DialogItem item{};
        r.Get<DWORD>();  // help id
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = static_cast<int>(r.Get<DWORD>());
        int classOrdinal = -1;
        const std::wstring className = r.GetNameOrOrdinal(&classOrdinal);
        item.className = ClassFromOrdinal(className, classOrdinal);
        item.text = r.GetNameOrOrdinal(&item.textOrdinal);
        r.Skip(r.Get<WORD>());
        out.items.push_back(item);
    }
    return true;
}
