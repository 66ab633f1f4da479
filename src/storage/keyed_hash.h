#pragma once
// SipHash-2-4: a keyed hash that no one without the key can steer, so that
// equal hashes mean equal content even for a file crafted to collide.
// Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <string_view>

struct HashKey {
    uint64_t k0 = 0;
    uint64_t k1 = 0;
};

// A key drawn once per run from the system's random source.
const HashKey& RunHashKey();

class KeyedHash {
public:
    explicit KeyedHash(const HashKey& key);
    void Add(std::string_view bytes);
    void AddNumber(uint64_t value);
    // The hash of everything added; the object is spent after this.
    uint64_t Finish();

private:
    void Compress(uint64_t word);
    uint64_t v0_, v1_, v2_, v3_;
    uint64_t pending_ = 0;
    std::size_t pendingBytes_ = 0;
    uint64_t total_ = 0;
};
