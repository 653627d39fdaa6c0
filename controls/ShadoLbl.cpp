#include "controls/ShadoLbl.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

void TShadow::Assign(TPersistent* Source) {
    auto* other = dynamic_cast<TShadow*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FVisible = other->FVisible;
    FColor = other->FColor;
    FOffsetLeft = other->FOffsetLeft;
    FOffsetTop = other->FOffsetTop;
    Changed();
}

void TShadow::SetShadowVisible(bool Value) {
    if (FVisible != Value) {
        FVisible = Value;
        Changed();
    }
}

void TShadow::SetShadowColor(TColor Value) {
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TShadow::SetShadowLeft(int Value) {
    if (FOffsetLeft != Value) {
        FOffsetLeft = Value;
        Changed();
    }
}

void TShadow::SetShadowTop(int Value) {
    if (FOffsetTop != Value) {
        FOffsetTop = Value;
        Changed();
    }
}

void TShadow::Changed() {
    if (FOnChange)
        FOnChange(this);
}

int GradientChannel(int Start, int Delta, int I, int N) {
    if (N <= 1 || I == 0)
        return Start;
    // t as the double it is rounded to: t = mantissa / 2^shift exactly, a 53-bit mantissa.
    double t = static_cast<double>(I) / static_cast<double>(N - 1);
    int exponent = 0;
    double fraction = std::frexp(t, &exponent);
    auto mantissa = static_cast<__int128>(std::ldexp(fraction, 53));
    int shift = 53 - exponent;
    // Start + Delta * t = (Start * 2^shift + Delta * mantissa) / 2^shift. The product has at
    // most 61 significant bits, so it is exact at a 64-bit significand; the sum is rounded to
    // 64 bits, to nearest with ties to even, as the extended-precision addition does.
    __int128 sum = (static_cast<__int128>(Start) << shift) + Delta * mantissa;
    if (sum <= 0)
        return 0;
    auto magnitude = static_cast<unsigned __int128>(sum);
    auto high = static_cast<std::uint64_t>(magnitude >> 64);
    auto low = static_cast<std::uint64_t>(magnitude);
    int bits = high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(low);
    if (bits > 64) {
        int drop = bits - 64;
        unsigned __int128 half = static_cast<unsigned __int128>(1) << (drop - 1);
        unsigned __int128 rest = magnitude & ((half << 1) - 1);
        magnitude >>= drop;
        if (rest > half || (rest == half && (magnitude & 1) != 0))
            ++magnitude;
        magnitude <<= drop;
    }
    return static_cast<int>(magnitude >> shift);
}

void GetRGB(const TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
    TColor rgb = ColorToRGB(Color);
    R = GetRValue(rgb);
    G = GetGValue(rgb);
    B = GetBValue(rgb);
}

void GradBitmap(TBitmap* Bitmap, const TColor First, const TColor Second, bool Vertical) {
    std::uint8_t r1, g1, b1, r2, g2, b2;
    GetRGB(First, r1, g1, b1);
    GetRGB(Second, r2, g2, b2);
    int dr = r2 - r1, dg = g2 - g1, db = b2 - b1;
    int height = Bitmap->Height();
    int width = Bitmap->Width();
    if (height < 1 || width < 1)
        return;
    Bitmap->Canvas()->Pen()->SetStyle(psSolid);
    auto put = [&](std::uint8_t* pixel, int i, int n) {
        pixel[0] = static_cast<std::uint8_t>(GradientChannel(b1, db, i, n));
        pixel[1] = static_cast<std::uint8_t>(GradientChannel(g1, dg, i, n));
        pixel[2] = static_cast<std::uint8_t>(GradientChannel(r1, dr, i, n));
    };
    if (Vertical) {
        for (int row = 0; row < height; ++row)
            put(Bitmap->ScanLine(row), row, height);
        if (width >= 2)
            Bitmap->Canvas()->CopyRect(Rect(0, 0, width, height), Bitmap->Canvas(),
                                       Rect(0, 0, 1, height));
    } else {
        std::uint8_t* first = Bitmap->ScanLine(0);
        for (int column = 0; column < width; ++column)
            put(first + 3 * column, column, width);
        for (int row = 1; row < height; ++row)
            std::memcpy(Bitmap->ScanLine(row), first, 3 * static_cast<std::size_t>(width));
    }
}

void GradRect(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second, bool Vertical) {
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf24bit);
    int height = Rect.Bottom - Rect.Top;
    if (Vertical)
        strip->SetSize(1, height);
    else
        strip->SetSize(Rect.Right - Rect.Left, height / 20 + 1);
    GradBitmap(strip.get(), First, Second, Vertical);
    Canvas->SetCopyMode(cmSrcCopy);
    Canvas->CopyRect(Rect, strip->Canvas(), ::Rect(0, 0, strip->Width(), strip->Height()));
}
