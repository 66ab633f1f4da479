#include "storage/keyed_hash.h"

#include <random>

namespace {

constexpr uint64_t Rotate(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

void Round(uint64_t& v0, uint64_t& v1, uint64_t& v2, uint64_t& v3) {
    v0 += v1;
    v1 = Rotate(v1, 13) ^ v0;
    v0 = Rotate(v0, 32);
    v2 += v3;
    v3 = Rotate(v3, 16) ^ v2;
    v0 += v3;
    v3 = Rotate(v3, 21) ^ v0;
    v2 += v1;
    v1 = Rotate(v1, 17) ^ v2;
    v2 = Rotate(v2, 32);
}

HashKey DrawKey() {
    std::random_device source;
    auto word = [&] { return static_cast<uint64_t>(source()) << 32 | source(); };
    HashKey key;
    key.k0 = word();
    key.k1 = word();
    return key;
}

}  // namespace

const HashKey& RunHashKey() {
    static const HashKey key = DrawKey();
    return key;
}

KeyedHash::KeyedHash(const HashKey& key)
    : v0_(key.k0 ^ 0x736f6d6570736575ull),
      v1_(key.k1 ^ 0x646f72616e646f6dull),
      v2_(key.k0 ^ 0x6c7967656e657261ull),
      v3_(key.k1 ^ 0x7465646279746573ull) {}

void KeyedHash::Compress(uint64_t word) {
    v3_ ^= word;
    Round(v0_, v1_, v2_, v3_);
    Round(v0_, v1_, v2_, v3_);
    v0_ ^= word;
}

void KeyedHash::Add(std::string_view bytes) {
    total_ += bytes.size();
    // Whole words at a time once nothing is pending: a large group is hashed on every fill.
    while (pendingBytes_ == 0 && bytes.size() >= 8) {
        uint64_t word = 0;
        for (int i = 7; i >= 0; --i) word = word << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        Compress(word);
        bytes.remove_prefix(8);
    }
    for (unsigned char byte : bytes) {
        pending_ |= static_cast<uint64_t>(byte) << (8 * pendingBytes_);
        if (++pendingBytes_ == 8) {
            Compress(pending_);
            pending_ = 0;
            pendingBytes_ = 0;
        }
    }
}

void KeyedHash::AddNumber(uint64_t value) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
    Add({bytes, 8});
}

uint64_t KeyedHash::Finish() {
    Compress(pending_ | (total_ & 0xFF) << 56);
    v2_ ^= 0xFF;
    for (int i = 0; i < 4; ++i) Round(v0_, v1_, v2_, v3_);
    return v0_ ^ v1_ ^ v2_ ^ v3_;
}
