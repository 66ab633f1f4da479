#include "storage/keyed_hash.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/followed_rows.h"

TEST(KeyedHash, GivesSipHashs24PublishedValues) {
    const HashKey key{0x0706050403020100ull, 0x0F0E0D0C0B0A0908ull};
    std::string message;
    const uint64_t expected[] = {0x726fdb47dd0e0e31ull, 0x74f839c593dc67fdull, 0x0d6c8009d9a94f5aull,
                                 0x85676696d7fb7e2dull, 0xcf2794e0277187b7ull, 0x18765564cd99a68dull,
                                 0xcbc9466e58fee3ceull, 0xab0200f58b01d137ull, 0x93f5f5799a932462ull,
                                 0x9e0082df0ba9e4b0ull, 0x7a5dbbc594ddb9f3ull, 0xf4b32f46226bada7ull,
                                 0x751e8fbc860ee5fbull, 0x14ea5627c0843d90ull, 0xf723ca908e7af2eeull,
                                 0xa129ca6149be45e5ull, 0x3f2acc7f57c29bdbull};
    for (uint64_t value : expected) {
        KeyedHash whole(key);
        whole.Add(message);
        EXPECT_EQ(whole.Finish(), value) << message.size() << " bytes";
        // Added in pieces, as the rows are, it comes out the same.
        KeyedHash pieces(key);
        for (char byte : message) pieces.Add({&byte, 1});
        EXPECT_EQ(pieces.Finish(), value);
        message += static_cast<char>(message.size());
    }
}

TEST(KeyedHash, RowsFingerprintAlikeOnlyWhenTheirTextsAreAlike) {
    auto rows = [](std::vector<std::wstring> texts) {
        std::vector<GlossaryEntry> entries(texts.size() / 4);
        for (std::size_t i = 0; i < texts.size(); ++i) entries[i / 4].texts[i % 4] = texts[i];
        return FingerprintOfRows(entries, 4000);
    };
    EXPECT_EQ(rows({L"a", L"b", L"", L""}), rows({L"a", L"b", L"", L""}));
    EXPECT_NE(rows({L"ab", L"", L"", L""}), rows({L"a", L"b", L"", L""}));
    EXPECT_NE(rows({L"a", L"", L"", L"", L"b", L"", L"", L""}), rows({L"b", L"", L"", L"", L"a", L"", L"", L""}));
    EXPECT_NE(rows({}), rows({L"", L"", L"", L""}));
    EXPECT_EQ(rows({std::wstring(4000, L'x'), L"", L"", L""}), 0u) << "a text a list cell cannot hold matches nothing";
}
