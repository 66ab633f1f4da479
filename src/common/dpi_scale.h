#pragma once
// Pixel values designed at 96 DPI (100 %), converted to and from the DPI a
// window is shown at. Portable: no Windows headers.
#include <cstdint>

inline constexpr int kDesignDpi = 96;

// value * numerator / denominator, rounded half away from zero as MulDiv does.
constexpr int ScaleRounded(int value, int numerator, int denominator) {
    if (numerator <= 0 || denominator <= 0) return value;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

// A 96-DPI value in pixels of the given DPI.
constexpr int ScaleToDpi(int value, int dpi) { return ScaleRounded(value, dpi, kDesignDpi); }

// Pixels of the given DPI back to their 96-DPI value; undoes ScaleToDpi exactly
// for every DPI of 96 and above.
constexpr int ScaleFromDpi(int pixels, int dpi) { return ScaleRounded(pixels, kDesignDpi, dpi); }
