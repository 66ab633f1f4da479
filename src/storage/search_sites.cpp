#include "storage/search_sites.h"

#include <algorithm>
#include <span>

#include "storage/text_encoding.h"

namespace {

struct Preset {
    const char* name;
    const char* url;
};

constexpr Preset kJapanesePresets[] = {
    {"Google", "https://www.google.com/search?q={query}"},
    {"Weblio 英和辞典", "https://ejje.weblio.jp/content/{query}"},
    {"英辞郎 on the WEB", "https://eow.alc.co.jp/search?q={query}"},
    {"コトバンク", "https://kotobank.jp/search?q={query}"},
    {"Wiktionary", "https://ja.wiktionary.org/wiki/{query}"},
};

constexpr Preset kEnglishPresets[] = {
    {"Google", "https://www.google.com/search?q={query}"},
    {"Jisho", "https://jisho.org/search/{query}"},
    {"Wiktionary (English)", "https://en.wiktionary.org/wiki/{query}"},
    {"Weblio 英和辞典", "https://ejje.weblio.jp/content/{query}"},
    {"英辞郎 on the WEB", "https://eow.alc.co.jp/search?q={query}"},
    {"コトバンク", "https://kotobank.jp/search?q={query}"},
    {"Wiktionary (日本語)", "https://ja.wiktionary.org/wiki/{query}"},
};

std::span<const Preset> PresetsOf(int language) {
    if (language == 0) return kEnglishPresets;
    return kJapanesePresets;
}

constexpr std::string_view kFileHeader =
    "# wordHaven の検索サイト: 1 行に 1 サイト、名前のあとに URL を書きます。{query} が検索する文字列になります。\r\n"
    "# 行頭の * が Alt+W で使うサイトです。# で始まる行は読み飛ばします。\r\n"
    "# wordHaven search sites: one a line, a name and then a URL in which {query} stands for the searched text.\r\n"
    "# The line starting with * is the site Alt+W uses. Lines starting with # are skipped.\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || IsLineEnd(s.front()))) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || IsLineEnd(s.back()))) s.remove_suffix(1);
    return s;
}

// Schemes are compared without regard to case, as browsers do (HTTPS:// is https://).
bool StartsWithScheme(std::u16string_view url, std::u16string_view scheme) {
    if (url.size() < scheme.size()) return false;
    for (std::size_t n = 0; n < scheme.size(); ++n) {
        const char16_t c = url[n] >= u'A' && url[n] <= u'Z' ? static_cast<char16_t>(url[n] - u'A' + u'a') : url[n];
        if (c != scheme[n]) return false;
    }
    return true;
}

bool IsUsableUrl(std::u16string_view url) {
    if (!StartsWithScheme(url, u"https://") && !StartsWithScheme(url, u"http://")) return false;
    const std::size_t placeholder = url.find(kQueryPlaceholder);
    if (placeholder == std::u16string_view::npos ||
        url.find(kQueryPlaceholder, placeholder + 1) != std::u16string_view::npos) {
        return false;
    }
    if (url.size() - kQueryPlaceholder.size() > kMaxSiteUrlUnits) return false;
    return std::none_of(url.begin(), url.end(), [](char16_t c) { return c <= u' ' || c == 0x7F; });
}

enum class LineKind { Blank, Site, Malformed };

// A line's site, if it is one: [*] name URL, the URL being its last word.
LineKind ReadLine(std::string_view line, SearchSite& site, bool& marked) {
    line = Trim(line);
    if (line.empty() || line.front() == '#') return LineKind::Blank;
    marked = line.front() == '*';
    if (marked) line = Trim(line.substr(1));
    const std::size_t gap = line.find_last_of(" \t");
    if (gap == std::string_view::npos || !IsValidUtf8(line)) return LineKind::Malformed;
    const std::string_view name = Trim(line.substr(0, gap));
    // A name starting with a mark would change meaning once the line's own
    // mark moved away: '*' would choose it, '#' would make it a comment, and
    // an invisible byte-order mark on the first line would be taken for the file's.
    if (name.empty() || name.front() == '*' || name.front() == '#' || name.substr(0, 3) == kUtf8ByteOrderMark) {
        return LineKind::Malformed;
    }
    site.name = Utf8ToUtf16(name);
    site.url = Utf8ToUtf16(line.substr(gap + 1));
    return IsUsableUrl(site.url) ? LineKind::Site : LineKind::Malformed;
}

// Calls visit(line, start) for each line of the text, its line end included.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        visit(text.substr(start, end - start), start);
        start = end;
    }
}

}  // namespace

SiteList PresetSites(int language) {
    SiteList list;
    for (const Preset& preset : PresetsOf(language)) list.sites.push_back({Utf8ToUtf16(preset.name), Utf8ToUtf16(preset.url)});
    return list;
}

SiteList ParseSiteFile(std::string_view text, int language) {
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) text.remove_prefix(kUtf8ByteOrderMark.size());
    SiteList list;
    bool anyMarked = false;
    int lineNumber = 0;
    ForEachLine(text, [&](std::string_view line, std::size_t) {
        ++lineNumber;
        SearchSite site;
        bool marked = false;
        switch (ReadLine(line, site, marked)) {
        case LineKind::Blank:
            return;
        case LineKind::Malformed:
            list.malformedLines.push_back(lineNumber);
            return;
        case LineKind::Site:
            break;
        }
        if (list.sites.size() >= kMaxSites) return;
        if (marked && !anyMarked) {
            list.chosen = list.sites.size();
            anyMarked = true;
        }
        list.sites.push_back(std::move(site));
    });
    list.fromFile = !list.sites.empty();
    if (list.sites.empty()) {
        SiteList presets = PresetSites(language);
        presets.malformedLines = std::move(list.malformedLines);
        return presets;
    }
    return list;
}

std::string MarkChosenSite(std::string_view text, std::size_t chosen) {
    std::string marked;
    marked.reserve(text.size() + 2);
    std::size_t index = 0;
    ForEachLine(text, [&](std::string_view line, std::size_t start) {
        const std::size_t bom = start == 0 && line.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark
                                    ? kUtf8ByteOrderMark.size()
                                    : 0;
        SearchSite site;
        bool wasMarked = false;
        if (ReadLine(line.substr(bom), site, wasMarked) != LineKind::Site || index >= kMaxSites) {
            marked += line;
            return;
        }
        const bool choose = index++ == chosen;
        if (wasMarked == choose) {
            marked += line;
            return;
        }
        // The mark is the '*' and one blank after it; the blanks before it are the user's.
        std::size_t body = bom;
        while (body < line.size() && (IsBlank(line[body]) || IsLineEnd(line[body]))) ++body;
        marked += line.substr(0, body);
        if (choose) {
            marked += "* ";
            marked += line.substr(body);
            return;
        }
        std::size_t after = body + 1;
        if (after < line.size() && IsBlank(line[after])) ++after;
        marked += line.substr(after);
    });
    return marked;
}

std::string NewSiteFile(std::size_t chosen, int language) {
    std::string text(kFileHeader);
    const auto presets = PresetsOf(language);
    for (std::size_t n = 0; n < presets.size(); ++n) {
        if (n == chosen) text += "* ";
        text.append(presets[n].name).append(" ").append(presets[n].url).append("\r\n");
    }
    return text;
}
