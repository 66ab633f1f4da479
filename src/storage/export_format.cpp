#include "storage/export_format.h"

#include "storage/text_encoding.h"

namespace {

constexpr std::u16string_view kHeaders[5] = {u"用語", u"読み方", u"スペル", u"意味", u"グループ"};

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Anki's reader and RFC 4180 agree: a field holding the separator, a quote or
// a line break goes in quotes, with each quote doubled. Anki also skips a line
// that begins with '#' as a comment, so such a field is quoted too.
bool NeedsQuotes(std::u16string_view text, char16_t separator) {
    if (!text.empty() && text.front() == u'#') return true;
    for (char16_t u : text) {
        if (u == separator || u == u'"' || u == u'\r' || u == u'\n') return true;
    }
    return false;
}

void AppendField(std::string& out, std::u16string_view text, char16_t separator) {
    if (!NeedsQuotes(text, separator)) {
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

ExportWriter::ExportWriter(ExportKind kind, bool withGroups, std::u16string_view deck)
    : kind_(kind), withGroups_(withGroups) {
    const int columns = withGroups ? 5 : 4;
    if (kind == ExportKind::Spreadsheet) {
        // The mark is what makes Excel read the file as UTF-8 rather than the ANSI code page.
        bytes_ = "\xEF\xBB\xBF";
        AddRow(kHeaders, columns);
        return;
    }
    bytes_ = "#separator:tab\n#html:false\n#columns:";
    for (int column = 0; column < columns; ++column) {
        if (column > 0) bytes_ += '\t';
        AppendUtf16AsUtf8(bytes_, kHeaders[column]);
    }
    bytes_ += '\n';
    if (withGroups) {
        bytes_ += "#deck column:5\n";
    } else {
        bytes_ += "#deck:";
        // A header runs to the end of its line: a name cannot break it.
        std::u16string name(deck);
        for (char16_t& u : name) {
            if (u == u'\r' || u == u'\n' || u == u'\t') u = u' ';
        }
        AppendUtf16AsUtf8(bytes_, name);
        bytes_ += '\n';
    }
    bytes_ += "#tags:";
    AppendUtf16AsUtf8(bytes_, kExportTag);
    bytes_ += '\n';
}

void ExportWriter::AddEntry(const std::u16string_view (&texts)[4], std::u16string_view group) {
    const std::u16string_view fields[5] = {texts[0], texts[1], texts[2], texts[3], group};
    AddRow(fields, withGroups_ ? 5 : 4);
}

void ExportWriter::AddRow(const std::u16string_view* fields, int count) {
    const char16_t separator = kind_ == ExportKind::Flashcards ? u'\t' : u',';
    for (int column = 0; column < count; ++column) {
        if (column > 0) bytes_ += static_cast<char>(separator);
        AppendField(bytes_, fields[column], separator);
    }
    // Spreadsheets on Windows end their rows with CR LF, as RFC 4180 does.
    bytes_ += kind_ == ExportKind::Spreadsheet ? "\r\n" : "\n";
}
