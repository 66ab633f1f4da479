#include "storage/csv_format.h"

#include <cstddef>
#include <utility>

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';
constexpr char kCr = '\r';
constexpr char kLf = '\n';

// Most group file fields fit; longer descriptions grow the buffer once and keep it.
constexpr std::size_t kFieldReserve = 256;

struct CsvReader {
    std::string_view data;
    std::size_t pos = 0;  // the next byte to read
    bool inQuotes = false;
    int column = 0;
    std::string field;  // the current field's collected bytes
    CsvRecord record;
    std::vector<CsvRecord> records;
    bool exact = true;
};

bool NextIs(const CsvReader& reader, char c) {
    return reader.pos < reader.data.size() && reader.data[reader.pos] == c;
}

// Bytes that are only appended, read as a run so a long field costs one append.
bool IsPlainByte(char c, bool inQuotes) {
    return c != kQuote && c != kCr && c != kLf && (inQuotes || c != kComma);
}

void CompleteRecord(CsvReader& reader, int fieldCount) {
    reader.record.fieldCount = fieldCount;
    reader.records.push_back(std::move(reader.record));
    reader.record = CsvRecord{};
    reader.column = 0;
}

// False when the rest of the record is to be skipped: its term was empty, or
// its fourth field has just been set.
bool EndField(CsvReader& reader) {
    bool recordGoesOn = true;
    if (reader.column == 0) {
        if (reader.field.empty()) {
            recordGoesOn = false;
        } else {
            reader.record.fields[0] = reader.field;
            reader.column = 1;
        }
    } else if (reader.column < kCsvFieldCount - 1) {
        reader.record.fields[reader.column] = reader.field;
        ++reader.column;
    } else {
        reader.record.fields[reader.column] = reader.field;
        CompleteRecord(reader, kCsvFieldCount);
        recordGoesOn = false;
    }
    reader.field.clear();
    return recordGoesOn;
}

void EndLine(CsvReader& reader) {
    if (reader.column > 0) {
        reader.record.fields[reader.column] = reader.field;
        CompleteRecord(reader, reader.column + 1);
    } else if (!reader.field.empty()) {
        reader.record.fields[0] = reader.field;
        CompleteRecord(reader, 1);
    }
    reader.field.clear();
}

// Passes over the rest of the record and its line end; quoted line breaks do
// not end it. False when the data ends first.
bool SkipRestOfRecord(CsvReader& reader) {
    const std::size_t start = reader.pos;
    // Empty fields (commas and quotes alone) lose nothing when skipped.
    const auto skippedText = [&](std::size_t end) {
        return reader.data.substr(start, end - start).find_first_not_of(",\"") != std::string_view::npos;
    };
    bool quoted = false;
    while (reader.pos < reader.data.size()) {
        const char c = reader.data[reader.pos++];
        if (c == kQuote) {
            if (!quoted) {
                quoted = true;
            } else if (NextIs(reader, kQuote)) {
                ++reader.pos;
            } else {
                quoted = false;
            }
        } else if (!quoted && (c == kCr || c == kLf)) {
            if (skippedText(reader.pos - 1)) reader.exact = false;
            if (c == kCr && NextIs(reader, kLf)) ++reader.pos;
            return true;
        }
    }
    if (skippedText(reader.pos)) reader.exact = false;
    return false;
}

}  // namespace

std::vector<CsvRecord> ParseCsvRecords(std::string_view data, bool* exact) {
    CsvReader reader;
    reader.data = data;
    // A NUL would end the text of the list cell it lands in.
    reader.exact = data.find('\0') == std::string_view::npos;
    const auto finish = [&]() {
        if (exact) *exact = reader.exact;
        return std::move(reader.records);
    };
    reader.field.reserve(kFieldReserve);

    while (reader.pos < data.size()) {
        const char c = data[reader.pos];
        if (IsPlainByte(c, reader.inQuotes)) {
            const std::size_t start = reader.pos;
            do {
                ++reader.pos;
            } while (reader.pos < data.size() && IsPlainByte(data[reader.pos], reader.inQuotes));
            reader.field.append(data.data() + start, reader.pos - start);
            continue;
        }
        ++reader.pos;
        if (c == kQuote) {
            if (!reader.inQuotes) {
                // Inside a field the quote itself is dropped: the text changes.
                if (!reader.field.empty()) reader.exact = false;
                reader.inQuotes = true;
            } else if (NextIs(reader, kQuote)) {
                reader.field += kQuote;
                ++reader.pos;
            } else {
                reader.inQuotes = false;
            }
        } else if (c == kComma) {  // outside quotes: inside it is a plain byte
            if (!EndField(reader) && !SkipRestOfRecord(reader)) return finish();
        } else if (reader.inQuotes) {
            // Line breaks kept in a field are always CR LF (or a lone CR, as found).
            reader.field += kCr;
            if (c == kLf) {
                reader.field += kLf;
            } else if (NextIs(reader, kLf)) {
                reader.field += kLf;
                ++reader.pos;
            }
        } else {
            if (c == kCr && NextIs(reader, kLf)) ++reader.pos;
            EndLine(reader);
        }
    }
    // The last line needs no line end; an unclosed quote still yields its field.
    if (reader.inQuotes) reader.exact = false;
    EndLine(reader);
    return finish();
}

void AppendCsvRecord(std::string& out, const std::string_view (&fields)[kCsvFieldCount]) {
    for (int column = 0; column < kCsvFieldCount; ++column) {
        if (column > 0) out += kComma;
        out += kQuote;
        const std::string_view text = fields[column];
        std::size_t start = 0;
        for (std::size_t quote = text.find(kQuote); quote != std::string_view::npos;
             quote = text.find(kQuote, start)) {
            out.append(text.substr(start, quote + 1 - start));
            out += kQuote;
            start = quote + 1;
        }
        out.append(text.substr(start));
        out += kQuote;
    }
    out += kLf;
}
