#include "app/search_site_menu.h"

#include <string>

#include "common/win32_text.h"
#include "storage/search_sites_file.h"
#include "ui/message_box.h"

namespace {

SiteList siteList = PresetSites();
std::string lastReported;  // the file's text when its malformed lines were last reported

std::wstring LineNumbers(const std::vector<int>& lines) {
    std::wstring text;
    for (int line : lines) text += (text.empty() ? L"" : L", ") + std::to_wstring(line);
    return text;
}

}  // namespace

void ReadSearchSites(HWND owner) {
    std::string text;
    siteList = LoadSearchSites(text);
    if (siteList.chosen >= siteList.sites.size()) siteList.chosen = 0;
    if (!siteList.malformedLines.empty() && text != lastReported) {
        lastReported = text;
        ShowMessage(Message::SiteFileLinesSkipped, owner, LineNumbers(siteList.malformedLines));
    }
}

const SearchSite& ChosenSearchSite() { return siteList.sites[siteList.chosen]; }

void InsertSiteMenu(HMENU trayMenu, UINT position) {
    HMENU sites = CreatePopupMenu();
    if (!sites) return;
    for (std::size_t n = 0; n < siteList.sites.size(); ++n) {
        AppendMenuW(sites, MF_STRING, kFirstSiteCommand + n, AsWide(siteList.sites[n].name.c_str()));
    }
    const UINT last = kFirstSiteCommand + static_cast<UINT>(siteList.sites.size()) - 1;
    CheckMenuRadioItem(sites, kFirstSiteCommand, last, kFirstSiteCommand + static_cast<UINT>(siteList.chosen),
                       MF_BYCOMMAND);
    // The tray menu owns the submenu from here and destroys it with itself.
    if (!InsertMenuW(trayMenu, position, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sites),
                     L"検索サイト")) {
        DestroyMenu(sites);
    }
}

bool OnSiteCommand(HWND owner, UINT command) {
    if (command < kFirstSiteCommand || command >= kFirstSiteCommand + siteList.sites.size()) return false;
    const std::size_t chosen = command - kFirstSiteCommand;
    if (!SaveSearchSiteChoice(chosen)) {
        ShowMessage(Message::SiteChoiceNotSaved, owner);
        return true;
    }
    ReadSearchSites(owner);
    return true;
}
