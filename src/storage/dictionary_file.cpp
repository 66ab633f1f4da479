#include "storage/dictionary_file.h"

#include <algorithm>
#include <cstdint>

#include "storage/euc_jp.h"
#include "storage/text_encoding.h"

namespace {

constexpr std::size_t kDetectionBytes = 64 << 10;
constexpr std::size_t kDetectionLines = 400;

std::string_view WithoutCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// The byte ranges of an EDICT line: "HEAD [READINGS] /BODY/".
struct EdictParts {
    std::string_view headwords, readings, body;
};

bool SplitEdictLine(std::string_view line, EdictParts& parts) {
    const std::size_t bodyStart = line.find(" /");
    if (bodyStart == std::string_view::npos || bodyStart == 0 || line.back() != '/') return false;
    std::string_view head = line.substr(0, bodyStart);
    parts.readings = {};
    if (const std::size_t open = head.find(" ["); open != std::string_view::npos) {
        if (head.back() != ']') return false;
        parts.readings = head.substr(open + 2, head.size() - open - 3);
        head = head.substr(0, open);
    }
    if (head.empty() || head.find(' ') != std::string_view::npos) return false;
    parts.headwords = head;
    parts.body = line.substr(bodyStart + 2, line.size() - bodyStart - 3);
    return true;
}

bool SplitTabbedLine(std::string_view line, std::string_view& word, std::string_view& meaning) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0 || tab + 1 == line.size()) return false;
    word = line.substr(0, tab);
    meaning = line.substr(tab + 1);
    return true;
}

// Each of a ';'-separated list, its trailing "(…)" markers taken off.
void ReadWords(std::string_view list, DictionaryEncoding encoding, std::vector<std::u16string>& words, bool& common) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        std::string_view word = list.substr(0, end);
        list.remove_prefix(std::min(end + 1, list.size()));
        while (!word.empty() && word.back() == ')') {
            const std::size_t open = word.rfind('(');
            if (open == std::string_view::npos || open == 0) break;
            if (word.substr(open) == "(P)") common = true;
            word = word.substr(0, open);
        }
        if (word.empty()) continue;
        words.emplace_back();
        AppendDictionaryText(word, encoding, words.back());
    }
}

bool IsTagList(std::string_view content) {
    if (content.empty()) return false;
    while (!content.empty()) {
        const std::size_t comma = std::min(content.find(','), content.size());
        if (!IsEdictTag(content.substr(0, comma))) return false;
        content.remove_prefix(std::min(comma + 1, content.size()));
    }
    return true;
}

bool IsNumber(std::string_view content) {
    return !content.empty() && std::all_of(content.begin(), content.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One gloss field: its leading "(tag,tag)" groups read into classes and
// taken off, a sense number "(2)" kept.
void ReadGloss(std::string_view field, DictionaryEncoding encoding, DictionaryRecord& record) {
    std::string_view sense;
    while (field.size() > 2 && field.front() == '(') {
        const std::size_t close = field.find(')');
        if (close == std::string_view::npos) break;
        const std::string_view content = field.substr(1, close - 1);
        if (IsNumber(content)) {
            sense = field.substr(0, close + 1);
        } else if (IsTagList(content)) {
            for (std::string_view tags = content; !tags.empty();) {
                const std::size_t comma = std::min(tags.find(','), tags.size());
                record.classes |= WordClassOfTag(tags.substr(0, comma));
                tags.remove_prefix(std::min(comma + 1, tags.size()));
            }
        } else {
            break;
        }
        field.remove_prefix(close + 1);
        while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    }
    if (field.empty()) return;
    std::u16string& gloss = record.glosses.emplace_back();
    if (!sense.empty()) {
        AppendDictionaryText(sense, encoding, gloss);
        gloss += u' ';
    }
    AppendDictionaryText(field, encoding, gloss);
}

bool IsEdictHeader(const DictionaryHead& head) {
    return head.headwords.size() == 1 && head.headwords[0] == u"\x3000？？？";
}

}  // namespace

void AppendDictionaryText(std::string_view bytes, DictionaryEncoding encoding, std::u16string& out) {
    if (encoding == DictionaryEncoding::EucJp) {
        AppendEucJpAsUtf16(bytes, out);
    } else {
        AppendUtf8AsUtf16(bytes, out);
    }
}

DictionaryKind DetectDictionaryKind(std::string_view bytes) {
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    std::string_view sample = bytes.substr(0, kDetectionBytes);
    if (sample.find('\0') != std::string_view::npos) return {};
    // Only whole lines count: the sample's cut may fall inside a character.
    if (sample.size() < bytes.size()) sample = sample.substr(0, sample.rfind('\n') + 1);
    std::size_t lines = 0, edict = 0, tabbed = 0, utf8Bad = 0, eucBad = 0;
    while (!sample.empty() && lines < kDetectionLines) {
        const std::size_t end = std::min(sample.find('\n'), sample.size());
        const std::string_view line = WithoutCr(sample.substr(0, end));
        sample.remove_prefix(std::min(end + 1, sample.size()));
        if (line.empty()) continue;
        ++lines;
        if (!IsValidUtf8(line)) ++utf8Bad;
        if (CountEucJp(line).invalid != 0) ++eucBad;
        EdictParts parts;
        std::string_view word, meaning;
        if (SplitEdictLine(line, parts)) ++edict;
        if (SplitTabbedLine(line, word, meaning)) ++tabbed;
    }
    DictionaryKind kind;
    kind.encoding = utf8Bad > 0 && eucBad < utf8Bad ? DictionaryEncoding::EucJp : DictionaryEncoding::Utf8;
    // Most lines decode and have the shape; a few damaged ones are skipped.
    const std::size_t bad = std::min(utf8Bad, eucBad);
    if (lines == 0 || bad * 4 > lines) return {};
    if (edict * 2 > lines) {
        kind.format = DictionaryFormat::Edict;
    } else if (tabbed * 2 > lines) {
        kind.format = DictionaryFormat::Tabbed;
    }
    return kind;
}

bool ReadDictionaryHead(std::string_view line, DictionaryKind kind, DictionaryHead& head) {
    head.headwords.clear();
    head.readings.clear();
    head.common = false;
    line = WithoutCr(line);
    if (line.size() > kMaxDictionaryLineBytes) return false;
    if (kind.format == DictionaryFormat::Edict) {
        EdictParts parts;
        if (!SplitEdictLine(line, parts)) return false;
        ReadWords(parts.headwords, kind.encoding, head.headwords, head.common);
        ReadWords(parts.readings, kind.encoding, head.readings, head.common);
        return !head.headwords.empty() && !IsEdictHeader(head);
    }
    if (kind.format == DictionaryFormat::Tabbed) {
        std::string_view word, meaning;
        if (!SplitTabbedLine(line, word, meaning)) return false;
        AppendDictionaryText(word, kind.encoding, head.headwords.emplace_back());
        return true;
    }
    return false;
}

bool ReadDictionaryRecord(std::string_view line, DictionaryKind kind, DictionaryRecord& record) {
    record.glosses.clear();
    record.classes = 0;
    if (!ReadDictionaryHead(line, kind, record)) return false;
    line = WithoutCr(line);
    if (kind.format == DictionaryFormat::Tabbed) {
        std::string_view word, meaning;
        SplitTabbedLine(line, word, meaning);
        AppendDictionaryText(meaning, kind.encoding, record.glosses.emplace_back());
        return true;
    }
    EdictParts parts;
    SplitEdictLine(line, parts);
    for (std::string_view body = parts.body; !body.empty();) {
        const std::size_t end = std::min(body.find('/'), body.size());
        const std::string_view field = body.substr(0, end);
        body.remove_prefix(std::min(end + 1, body.size()));
        if (field == "(P)") {
            record.common = true;
        } else if (field.substr(0, 4) != "EntL") {
            ReadGloss(field, kind.encoding, record);
        }
    }
    return true;
}
