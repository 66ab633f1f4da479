#pragma once
// The texts of the language the settings hold now, as the Windows interface takes them.
#include <string>
#include <string_view>

#include "common/win32_text.h"
#include "storage/settings.h"
#include "ui/texts.h"

inline const wchar_t* UiText(Text name) { return AsWide(LookUpText(name, appSettings.languageIndex)); }

inline std::wstring UiText(Text name, std::wstring_view first, std::wstring_view second = {}) {
    const std::u16string filled =
        FillIn(name, appSettings.languageIndex, std::u16string_view(AsUtf16(first.data()), first.size()),
               std::u16string_view(AsUtf16(second.data()), second.size()));
    return std::wstring(AsWide(filled.c_str()), filled.size());
}
