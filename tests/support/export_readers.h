#pragma once
// Readers of the exported files written from their readers' published rules,
// not from the program's writer: Anki's text import (header lines
// "#key:value", then records in the CSV dialect with '#' comments, fields in
// HTML) and LibreOffice Calc's text import with its default separators
// (comma, semicolon and tab at once, '"' quoting). Portable: no Windows headers.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using Records = std::vector<std::vector<std::string>>;

// A CSV reader that splits at any of the separators; a line starting with
// the comment mark outside quotes is skipped.
inline Records ReadDelimited(std::string_view text, std::string_view separators, char comment = '\0',
                             bool* complete = nullptr) {
    Records records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, started = false, lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (lineStart && comment && c == comment) {
            const size_t end = text.find('\n', i);
            if (end == std::string_view::npos) break;
            i = end;
            continue;
        }
        lineStart = false;
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && !started) {
            quoted = started = true;
        } else if (separators.find(c) != std::string_view::npos) {
            record.push_back(field);
            field.clear();
            started = false;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            started = false;
            lineStart = true;
        } else {
            field += c;
            started = true;
        }
    }
    if (complete) *complete = !quoted && record.empty() && field.empty();
    return records;
}

inline std::string FromHtml(std::string html) {
    const std::pair<std::string, std::string> entities[] = {
        {"<br>", "\n"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, text] : entities) {
        for (size_t at = 0; (at = html.find(entity, at)) != std::string::npos; at += text.size()) {
            html.replace(at, entity.size(), text);
        }
    }
    return html;
}

struct AnkiNotes {
    std::map<std::string, std::string> headers;
    Records notes;
};

inline AnkiNotes ReadAnki(const std::string& bytes, bool* complete = nullptr) {
    AnkiNotes anki;
    size_t at = 0;
    while (at < bytes.size() && bytes[at] == '#') {
        const size_t end = bytes.find('\n', at);
        const std::string line = bytes.substr(at + 1, end - at - 1);
        const size_t colon = line.find(':');
        if (colon != std::string::npos) anki.headers[line.substr(0, colon)] = line.substr(colon + 1);
        at = end + 1;
    }
    anki.notes = ReadDelimited(std::string_view(bytes).substr(at), "\t", '#', complete);
    return anki;
}


// Anki's text import into a collection of notes of one note type, by its
// default rule for a note that matches ("update"): a note whose guid column
// (header "guid column") or, without one, whose first field is that of notes
// already in the collection updates every one of them; any other is added.
// A note with an empty first field is not imported.
inline void ImportIntoAnki(const AnkiNotes& anki, Records& collection) {
    const Records before = collection;
    const auto guid = anki.headers.find("guid column");
    const size_t key = guid == anki.headers.end() ? 0 : std::stoul(guid->second) - 1;
    for (const std::vector<std::string>& note : anki.notes) {
        if (note.empty() || note[0].empty() || note.size() <= key) continue;
        bool matched = false;
        for (size_t n = 0; n < before.size(); ++n) {
            if (before[n].size() > key && before[n][key] == note[key]) {
                collection[n] = note;
                matched = true;
            }
        }
        if (!matched) collection.push_back(note);
    }
}
