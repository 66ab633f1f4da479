#pragma once
// A fingerprint of a file's bytes, to tell whether another program changed
// it since it was read or written. Portable: no Windows headers.
#include <cstdint>
#include <string_view>

// 64-bit FNV-1a: fast, and two different versions of a file differing in it
// is all that is asked of it.
inline uint64_t HashOfBytes(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}
