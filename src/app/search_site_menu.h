#pragma once
// The search site Alt+W uses, chosen from the tray menu's "検索サイト".
#include <windows.h>

#include "storage/search_sites.h"

inline constexpr UINT kFirstSiteCommand = 33000;

// Reads the site file again; lines that could not be read are reported once
// for each new content of the file, owned by owner.
void ReadSearchSites(HWND owner);
const SearchSite& ChosenSearchSite();
// Puts the "検索サイト" submenu into the tray menu at the given position, the choice ticked.
void InsertSiteMenu(HMENU trayMenu, UINT position);
// A command of the submenu: the site becomes the choice, kept in the file. False for other commands.
bool OnSiteCommand(HWND owner, UINT command);
