#pragma once
// The byte format of a group file: one record per glossary entry.
// Portable: no Windows headers.
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kCsvFieldCount = 4;  // term, reading, spelling, description

// One record as read: 1 to 4 fields of raw bytes in the file's encoding. The first is never empty.
struct CsvRecord {
    std::string fields[kCsvFieldCount];
    int fieldCount = 0;  // how many fields the record set (1..4); the rest stay empty
};

// Parses a group file's bytes (after any byte-order mark has been taken off).
// Tolerant, as the files people edit by hand need: a quote opens or closes
// quoting wherever it stands in a field, a doubled quote inside quotes is one
// quote, a line break inside quotes is kept (a lone LF becomes CR LF), CR, LF
// and CR LF all end a line, and the last line needs no line end. A record
// whose term is empty is dropped, fields after the fourth are ignored (both
// up to the record's real line end, which may lie inside quotes), and blank
// lines give nothing. Bytes are not decoded, so any ASCII-compatible
// encoding (Shift-JIS, UTF-8) passes through unchanged.
// exact, when given, tells whether the records hold everything the data
// did: false after ignored fields or a dropped record that held text, a
// quote that was not closed or stood inside a field, or a NUL byte.
std::vector<CsvRecord> ParseCsvRecords(std::string_view data, bool* exact = nullptr);

// Appends one record as written: each field in double quotes with every quote doubled, fields separated by one comma, one LF at the end.
void AppendCsvRecord(std::string& out, const std::string_view (&fields)[kCsvFieldCount]);
