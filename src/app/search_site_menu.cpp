#include "app/search_site_menu.h"

#include <optional>
#include <string>

#include "common/win32_text.h"
#include "storage/search_sites_file.h"
#include "ui/message_box.h"
#include "ui/ui_text.h"

namespace {

SiteList siteList = PresetSites(DefaultAppSettings().languageIndex);
// The file's content when it was last told about or written by the program:
// what is wrong with a file is told once for each edit by the user.
std::optional<uint64_t> contentTold;
// A choice the file could not keep holds for the run while the file stays as it was.
struct ChoiceForRun {
    SearchSite site;
    uint64_t fileContent = 0;
};
std::optional<ChoiceForRun> choiceForRun;

std::wstring LineNumbers(const std::vector<int>& lines) {
    std::wstring text;
    for (int line : lines) text += (text.empty() ? L"" : L", ") + std::to_wstring(line);
    return text;
}

void TellWhatIsWrong(HWND owner, const LoadedSites& loaded) {
    if (loaded.state == SiteFileState::Missing || loaded.state == SiteFileState::Unreadable) return;
    if (contentTold == loaded.content) return;
    contentTold = loaded.content;
    if (loaded.state == SiteFileState::TooLarge) {
        ShowMessage(Message::SiteFileTooLarge, owner);
    } else if (!loaded.list.fromFile) {
        ShowMessage(Message::SiteFileWithoutSites, owner);
    } else if (!loaded.list.malformedLines.empty()) {
        ShowMessage(Message::SiteFileLinesSkipped, owner, LineNumbers(loaded.list.malformedLines));
    }
}

// Menu text shows '&' as an access-key marker unless it is doubled.
std::wstring MenuText(const std::u16string& name) {
    std::wstring text;
    for (char16_t c : name) {
        if (c == u'&') text += L'&';
        text += static_cast<wchar_t>(c);
    }
    return text;
}

}  // namespace

void ReadSearchSites(HWND owner) {
    LoadedSites loaded = LoadSearchSites();
    siteList = loaded.list;
    if (siteList.chosen >= siteList.sites.size()) siteList.chosen = 0;
    if (choiceForRun && choiceForRun->fileContent == loaded.content) {
        for (std::size_t n = 0; n < siteList.sites.size(); ++n) {
            if (siteList.sites[n].name == choiceForRun->site.name && siteList.sites[n].url == choiceForRun->site.url) {
                siteList.chosen = n;
            }
        }
    }
    TellWhatIsWrong(owner, loaded);
}

const SearchSite& ChosenSearchSite() { return siteList.sites[siteList.chosen]; }

void InsertSiteMenu(HMENU trayMenu, UINT position) {
    HMENU sites = CreatePopupMenu();
    if (!sites) return;
    for (std::size_t n = 0; n < siteList.sites.size(); ++n) {
        AppendMenuW(sites, MF_STRING, kFirstSiteCommand + n, MenuText(siteList.sites[n].name).c_str());
    }
    const UINT last = kFirstSiteCommand + static_cast<UINT>(siteList.sites.size()) - 1;
    CheckMenuRadioItem(sites, kFirstSiteCommand, last, kFirstSiteCommand + static_cast<UINT>(siteList.chosen),
                       MF_BYCOMMAND);
    // The tray menu owns the submenu from here and destroys it with itself.
    if (!InsertMenuW(trayMenu, position, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sites),
                     UiText(Text::TraySearchSites))) {
        DestroyMenu(sites);
    }
}

bool OnSiteCommand(HWND owner, UINT command) {
    if (command < kFirstSiteCommand || command >= kFirstSiteCommand + siteList.sites.size()) return false;
    const std::size_t chosen = command - kFirstSiteCommand;
    const SearchSite site = siteList.sites[chosen];
    TellWhatIsWrong(owner, LoadSearchSites());  // an edit made while the menu was open
    const SiteChoiceSaved saved = SaveSearchSiteChoice(site);
    if (saved.result == SiteChoiceResult::Written) {
        choiceForRun.reset();
        contentTold = saved.content;  // the program's own change is nothing to tell about
        ReadSearchSites(owner);
        return true;
    }
    if (saved.result == SiteChoiceResult::Failed) ShowMessage(Message::SiteChoiceNotSaved, owner);
    choiceForRun = ChoiceForRun{site, LoadSearchSites().content};
    ReadSearchSites(owner);
    return true;
}
