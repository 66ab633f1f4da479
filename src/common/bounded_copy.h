#pragma once
// The one way text enters a fixed-size UTF-16 buffer: it is cut to fit and
// always terminated, never overrun.
#include <cstddef>
#include <string_view>

// Copies at most capacity - 1 units of source (stopping at a NUL inside it),
// terminates, and returns the number of units copied.
template <typename Unit>
std::size_t CopyBounded(Unit* dest, std::size_t capacity, std::basic_string_view<Unit> source) {
    if (capacity == 0) return 0;
    std::size_t n = 0;
    while (n + 1 < capacity && n < source.size() && source[n] != Unit{}) {
        dest[n] = source[n];
        ++n;
    }
    dest[n] = Unit{};
    return n;
}

template <typename Unit, std::size_t N>
std::size_t CopyBounded(Unit (&dest)[N], std::basic_string_view<Unit> source) {
    return CopyBounded(dest, N, source);
}

template <typename Unit, std::size_t N>
std::size_t CopyBounded(Unit (&dest)[N], const Unit* source) {
    return CopyBounded(dest, N, std::basic_string_view<Unit>(source));
}

// Length of a terminated text held in a buffer of known capacity; a buffer
// without a terminator counts as full.
template <typename Unit>
std::size_t BoundedLength(const Unit* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != Unit{}) ++n;
    return n;
}
