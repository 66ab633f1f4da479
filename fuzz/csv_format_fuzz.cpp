// Arbitrary bytes as a group file: every record read must be well formed, and
// writing the records and reading them again must give the same texts. The
// same bytes as UTF-16 must come back whole through UTF-8 when read exactly.
#include "storage/csv_format.h"
#include "storage/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string utf8;
    if (Utf16BytesToUtf8(bytes, size > 0 && data[0] & 1, utf8)) {
        Require(IsValidUtf8(utf8));
        Require(Utf8ToUtf16Bytes(utf8, size > 0 && data[0] & 1) == bytes);
    }
    DetectTextEncoding(bytes);

    bool exact = false;
    const std::vector<CsvRecord> records = ParseCsvRecords(bytes, &exact);

    std::string written;
    for (const CsvRecord& record : records) {
        Require(record.fieldCount >= 1 && record.fieldCount <= kCsvFieldCount);
        Require(!record.fields[0].empty());
        for (int column = record.fieldCount; column < kCsvFieldCount; ++column) {
            Require(record.fields[column].empty());
        }
        const std::string_view fields[kCsvFieldCount] = {record.fields[0], record.fields[1], record.fields[2],
                                                         record.fields[3]};
        AppendCsvRecord(written, fields);
    }

    const std::vector<CsvRecord> reread = ParseCsvRecords(written);
    Require(reread.size() == records.size());
    for (std::size_t n = 0; n < records.size(); ++n) {
        Require(reread[n].fieldCount == kCsvFieldCount);
        for (int column = 0; column < kCsvFieldCount; ++column) {
            Require(reread[n].fields[column] == records[n].fields[column]);
        }
    }
    return 0;
}
