#pragma once

#include "platform/graphics/Bitmap.h"

#include <cstdint>
#include <type_traits>

// Pixel access on one row of a bitmap, chosen once per operation by the row layout, so the
// inner loops of the drawing code are plain inline reads and writes.
// Colours are 0x00BBGGRR, as TColor.
enum class TRowLayout : std::uint8_t { Mono, Bgr24, Bgr32 };

constexpr TRowLayout RowLayout(TPixelFormat Format) {
    switch (Format) {
    case pf1bit:
        return TRowLayout::Mono;
    case pf24bit:
        return TRowLayout::Bgr24;
    case pf32bit:
    case pfDevice:
        break;
    }
    return TRowLayout::Bgr32;
}

// A colour as one bit of a monochrome row: grey level of 128 or more is a set (white) bit.
constexpr bool ColorToBit(TColor Color) {
    unsigned grey =
        (GetRValue(Color) * 77u + GetGValue(Color) * 151u + GetBValue(Color) * 28u) >> 8;
    return grey >= 128;
}

template <TRowLayout L> inline TColor ReadPixel(const std::uint8_t* Row, int X) {
    if constexpr (L == TRowLayout::Mono) {
        return (Row[X >> 3] & (0x80 >> (X & 7))) != 0 ? clWhite : clBlack;
    } else {
        constexpr int Size = L == TRowLayout::Bgr24 ? 3 : 4;
        const std::uint8_t* p = Row + X * Size;
        return p[2] | (p[1] << 8) | (static_cast<TColor>(p[0]) << 16);
    }
}

// Writes red, green and blue; a 32-bit pixel's fourth byte becomes 0.
template <TRowLayout L> inline void WritePixel(std::uint8_t* Row, int X, TColor Color) {
    if constexpr (L == TRowLayout::Mono) {
        std::uint8_t mask = 0x80 >> (X & 7);
        if (ColorToBit(Color))
            Row[X >> 3] |= mask;
        else
            Row[X >> 3] &= static_cast<std::uint8_t>(~mask);
    } else {
        constexpr int Size = L == TRowLayout::Bgr24 ? 3 : 4;
        std::uint8_t* p = Row + X * Size;
        p[0] = GetBValue(Color);
        p[1] = GetGValue(Color);
        p[2] = GetRValue(Color);
        if constexpr (Size == 4)
            p[3] = 0;
    }
}

template <TRowLayout L> using TLayoutTag = std::integral_constant<TRowLayout, L>;

// Calls Fn with a TLayoutTag of the format's row layout.
template <class F> decltype(auto) WithRowLayout(TPixelFormat Format, F&& Fn) {
    switch (RowLayout(Format)) {
    case TRowLayout::Mono:
        return Fn(TLayoutTag<TRowLayout::Mono>{});
    case TRowLayout::Bgr24:
        return Fn(TLayoutTag<TRowLayout::Bgr24>{});
    case TRowLayout::Bgr32:
        break;
    }
    return Fn(TLayoutTag<TRowLayout::Bgr32>{});
}
