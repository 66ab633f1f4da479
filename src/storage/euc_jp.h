#pragma once
// EUC-JP as dictionaries published in Japan use it: ASCII, half-width kana
// after 0x8E, JIS X 0208 in two bytes and JIS X 0212 in three after 0x8F.
// Portable: no Windows headers; the code tables come from tools/euc_jp_table.
#include <cstddef>
#include <string>
#include <string_view>

// Appends the text as UTF-16. A byte that starts no valid sequence, or a
// sequence that names no character, becomes one U+FFFD and decoding goes on
// at the next byte. Returns how many did.
std::size_t AppendEucJpAsUtf16(std::string_view bytes, std::u16string& out);

// How many sequences AppendEucJpAsUtf16 would replace, and how many
// multi-byte characters it would decode, without decoding.
struct EucJpCounts {
    std::size_t invalid = 0;
    std::size_t multibyte = 0;
};
EucJpCounts CountEucJp(std::string_view bytes);
