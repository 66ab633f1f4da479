#include "storage/export_format.h"

#include "storage/content_hash.h"
#include "storage/text_encoding.h"

namespace {

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

bool IsSpreadsheet(ExportKind kind) { return kind == ExportKind::Spreadsheet; }

// A field goes in quotes, each quote doubled, when a reader would otherwise
// split it or take it for something else. Anki reads tab-separated records
// and skips a record that begins with '#' as a comment. LibreOffice Calc
// splits at commas, semicolons and tabs alike unless told otherwise.
bool NeedsQuotes(std::u16string_view text, ExportKind kind) {
    if (!text.empty() && text.front() == u'#') return true;
    for (char16_t u : text) {
        if (u == u'"' || u == u'\r' || u == u'\n' || u == u'\t') return true;
        if (IsSpreadsheet(kind) && (u == u',' || u == u';')) return true;
    }
    return false;
}

void AppendField(std::string& out, std::u16string_view text, ExportKind kind) {
    if (!NeedsQuotes(text, kind)) {
        AppendUtf16AsUtf8(out, text);
        return;
    }
    out += '"';
    for (size_t start = 0;;) {
        const size_t quote = text.find(u'"', start);
        AppendUtf16AsUtf8(out, text.substr(start, quote == std::u16string_view::npos ? quote : quote - start + 1));
        if (quote == std::u16string_view::npos) break;
        out += '"';
        start = quote + 1;
    }
    out += '"';
}

// Anki's fields are HTML: the text shows as typed, its line breaks as breaks.
void AppendAsHtml(std::u16string& out, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        switch (const char16_t u = text[i]) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u"<br>";
            break;
        case u'\n':
            out += u"<br>";
            break;
        default:
            out += u;
        }
    }
}

std::u16string Html(std::u16string_view text) {
    std::u16string html;
    AppendAsHtml(html, text);
    return html;
}

// A header runs to the end of its line: a name cannot break it.
std::u16string OneLine(std::u16string_view text) {
    std::u16string line(text);
    for (char16_t& u : line) {
        if (u == u'\r' || u == u'\n' || u == u'\t') u = u' ';
    }
    return line;
}

}  // namespace

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
}

std::u16string ExportDeckName(std::u16string_view group) {
    return std::u16string(kExportParentDeck) + u"::" + OneLine(group);
}

ExportWriter::ExportWriter(ExportKind kind, bool withGroups, std::u16string_view group,
                           const std::u16string_view (&columnLabels)[kExportColumnCount])
    : kind_(kind), withGroups_(withGroups) {
    if (IsSpreadsheet(kind)) {
        // The mark is what makes Excel read the file as UTF-8 rather than the ANSI code page.
        bytes_ = "\xEF\xBB\xBF";
        AddRow(columnLabels, withGroups ? 5 : 4);
        return;
    }
    AddFlashcardHeaders(group);
}

// No #columns line: Anki matches labels to field names, which differ with
// the language Anki was set up in, and maps unlabelled columns in order.
void ExportWriter::AddFlashcardHeaders(std::u16string_view group) {
    bytes_ = "#separator:tab\n#html:true\n";
    if (kind_ == ExportKind::Flashcards) bytes_ += "#notetype:Basic\n";
    if (kind_ == ExportKind::FlashcardFields) {
        // Named, so that Anki never takes one of the texts for the tags.
        bytes_ += "#tags column:5\n";
    } else {
        bytes_ += "#tags:";
        AppendUtf16AsUtf8(bytes_, kExportTag);
        bytes_ += '\n';
    }
    // Each note carries an id made from its entry: importing the file again
    // updates those notes, where Anki would otherwise take every note whose
    // front is the same term for one and overwrite them all.
    const int texts = kind_ == ExportKind::Flashcards ? 2 : 5;
    bytes_ += "#guid column:" + std::to_string(texts + (withGroups_ ? 2 : 1)) + "\n";
    if (withGroups_) {
        bytes_ += "#deck column:" + std::to_string(texts + 1) + "\n";
    } else {
        bytes_ += "#deck:";
        AppendUtf16AsUtf8(bytes_, ExportDeckName(group));
        bytes_ += '\n';
    }
}

void ExportWriter::AddEntry(const std::u16string_view (&texts)[4], std::u16string_view group) {
    switch (kind_) {
    case ExportKind::Spreadsheet: {
        const std::u16string_view fields[5] = {texts[0], texts[1], texts[2], texts[3], group};
        AddRow(fields, withGroups_ ? 5 : 4);
        return;
    }
    case ExportKind::Flashcards: {
        std::u16string back;
        for (int field = 1; field < 4; ++field) {
            if (texts[field].empty()) continue;
            if (!back.empty()) back += u"<br>";
            AppendAsHtml(back, texts[field]);
        }
        const std::u16string deck = ExportDeckName(group);
        const std::u16string front = Html(texts[0]);
        const std::u16string id = NoteId(texts, group);
        const std::u16string_view fields[4] = {front, back, withGroups_ ? deck : id, id};
        AddRow(fields, withGroups_ ? 4 : 3);
        return;
    }
    case ExportKind::FlashcardFields: {
        const std::u16string html[4] = {Html(texts[0]), Html(texts[1]), Html(texts[2]), Html(texts[3])};
        const std::u16string deck = ExportDeckName(group);
        const std::u16string id = NoteId(texts, group);
        const std::u16string_view fields[7] = {html[0], html[1], html[2], html[3], kExportTag, withGroups_ ? deck : id, id};
        AddRow(fields, withGroups_ ? 7 : 6);
        return;
    }
    }
}

// The same entry (group and texts) gets the same id in every export; a
// second identical entry of a group gets an id of its own.
std::u16string ExportWriter::NoteId(const std::u16string_view (&texts)[4], std::u16string_view group) {
    std::string key;
    AppendUtf16AsUtf8(key, group);
    for (std::u16string_view text : texts) {
        key += '\x1F';
        AppendUtf16AsUtf8(key, text);
    }
    const uint64_t entry = HashOfBytes(key);
    const int occurrence = written_[entry]++;
    const uint64_t id = occurrence == 0 ? entry : HashOfBytes(key + '\x1E' + std::to_string(occurrence));
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    std::u16string text = u"wordHaven-";
    for (int shift = 60; shift >= 0; shift -= 4) text += kHex[(id >> shift) & 0xF];
    return text;
}

void ExportWriter::AddRow(const std::u16string_view* fields, int count) {
    const char separator = IsSpreadsheet(kind_) ? ',' : '\t';
    for (int column = 0; column < count; ++column) {
        if (column > 0) bytes_ += separator;
        AppendField(bytes_, fields[column], kind_);
    }
    // Spreadsheets on Windows end their rows with CR LF, as RFC 4180 does.
    bytes_ += IsSpreadsheet(kind_) ? "\r\n" : "\n";
}
