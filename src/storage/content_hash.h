#pragma once
// A fingerprint of a file's bytes, to tell whether another program changed
// it since it was read or written. Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Eight bytes at a step, each step multiplied and folded: fast enough to run
// on every load and save of a large group, and two versions of a file
// differing in it is all that is asked of it (this is no defence against an
// adversary).
inline uint64_t HashOfBytes(std::string_view bytes) {
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    uint64_t hash = 0x243F6A8885A308D3ull ^ (bytes.size() * kMultiplier);
    auto mix = [&](uint64_t word) {
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    };
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + at, 8);
        mix(word);
    }
    uint64_t tail = 0;
    if (at < bytes.size()) std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    mix(tail);
    return hash;
}
