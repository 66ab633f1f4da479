#include "storage/euc_jp.h"

#include <cstdint>

extern const uint8_t kJis0208Rows[94];
extern const char16_t kJis0208Cells[][94];
extern const uint8_t kJis0212Rows[94];
extern const char16_t kJis0212Cells[][94];

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsJisByte(uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

// The character at bytes[pos] and its length in bytes; 0 for the character
// when the sequence is invalid (its length is then 1).
struct Decoded {
    char16_t unit;
    std::size_t length;
};

Decoded DecodeAt(std::string_view bytes, std::size_t pos) {
    const auto at = [&](std::size_t i) { return i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : uint8_t{0}; };
    const uint8_t lead = at(pos);
    if (lead < 0x80) return {lead, 1};
    if (lead == 0x8E) {
        const uint8_t kana = at(pos + 1);
        if (kana >= 0xA1 && kana <= 0xDF) return {static_cast<char16_t>(0xFF61 + (kana - 0xA1)), 2};
        return {0, 1};
    }
    const uint8_t* rows = kJis0208Rows;
    const char16_t(*cells)[94] = kJis0208Cells;
    std::size_t first = pos;
    if (lead == 0x8F) {
        rows = kJis0212Rows;
        cells = kJis0212Cells;
        first = pos + 1;
    }
    const uint8_t row = at(first), cell = at(first + 1);
    if (!IsJisByte(row) || !IsJisByte(cell)) return {0, 1};
    const uint8_t index = rows[row - 0xA1];
    const char16_t unit = index == 255 ? 0 : cells[index][cell - 0xA1];
    if (unit == 0) return {0, 1};
    return {unit, first + 2 - pos};
}

}  // namespace

std::size_t AppendEucJpAsUtf16(std::string_view bytes, std::u16string& out) {
    std::size_t invalid = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Decoded decoded = DecodeAt(bytes, pos);
        if (decoded.unit == 0 && static_cast<uint8_t>(bytes[pos]) != 0) {
            out += kReplacement;
            ++invalid;
        } else {
            out += decoded.unit;
        }
        pos += decoded.length;
    }
    return invalid;
}

EucJpCounts CountEucJp(std::string_view bytes) {
    EucJpCounts counts;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Decoded decoded = DecodeAt(bytes, pos);
        if (decoded.unit == 0 && static_cast<uint8_t>(bytes[pos]) != 0) {
            ++counts.invalid;
        } else if (decoded.length > 1) {
            ++counts.multibyte;
        }
        pos += decoded.length;
    }
    return counts;
}
