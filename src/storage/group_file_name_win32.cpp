#include <windows.h>
#include <shlwapi.h>

#include "storage/group_file_name.h"

bool IsNameSafeCharacter(char16_t unit) {
    return PathGetCharTypeW(static_cast<wchar_t>(unit)) == (GCT_LFNCHAR | GCT_SHORTCHAR);
}
