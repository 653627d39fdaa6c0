#include "platform/graphics/Bitmap.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/PixelRow.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace {

// Beyond this a bitmap is refused before anything is allocated.
constexpr long long MaxPixelBytes = 1LL << 31;

long long StrideOf(int Width, TPixelFormat Format) {
    return (static_cast<long long>(Width) * BitsPerPixel(Format) + 31) / 32 * 4;
}

// White in every layout: all bits set, except a 32-bit pixel's unused byte.
void FillWhite(std::uint8_t* Row, int Width, TPixelFormat Format, int Stride) {
    if (RowLayout(Format) != TRowLayout::Bgr32) {
        std::memset(Row, 0xFF, Stride);
        return;
    }
    std::memset(Row, 0, Stride);
    for (int x = 0; x < Width; ++x)
        std::memset(Row + x * 4, 0xFF, 3);
}

// Converts the first Width pixels of a row from one layout to another.
template <TRowLayout From, TRowLayout To>
void ConvertRow(const std::uint8_t* Source, std::uint8_t* Dest, int Width) {
    if constexpr (From == To) {
        std::memcpy(Dest, Source,
                    From == TRowLayout::Mono    ? (Width + 7) / 8
                    : From == TRowLayout::Bgr24 ? Width * 3
                                                : Width * 4);
        if constexpr (From == TRowLayout::Mono) {
            // The bits past Width come from the old row's padding; they join the new area, white.
            if (Width % 8 != 0)
                Dest[Width / 8] |= static_cast<std::uint8_t>(0xFF >> (Width % 8));
        }
    } else {
        for (int x = 0; x < Width; ++x)
            WritePixel<To>(Dest, x, ReadPixel<From>(Source, x));
    }
}

} // namespace

int BitsPerPixel(TPixelFormat Format) {
    switch (Format) {
    case pf1bit:
        return 1;
    case pf24bit:
        return 24;
    case pf32bit:
    case pfDevice:
        break;
    }
    return 32;
}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::Reallocate(int AWidth, int AHeight, TPixelFormat AFormat, bool Keep) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    long long stride = StrideOf(AWidth, AFormat);
    if (stride > INT_MAX || stride * AHeight > MaxPixelBytes)
        throw EOutOfResources(Format("ビットマップ %d x %d は大きすぎます", AWidth, AHeight));
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * AHeight));
    for (int y = 0; y < AHeight && stride > 0; ++y)
        FillWhite(pixels.data() + y * stride, AWidth, AFormat, static_cast<int>(stride));
    int width = Keep ? std::min(AWidth, FWidth) : 0;
    int height = Keep ? std::min(AHeight, FHeight) : 0;
    if (width > 0 && height > 0) {
        WithRowLayout(FPixelFormat, [&](auto from) {
            WithRowLayout(AFormat, [&](auto to) {
                for (int y = 0; y < height; ++y)
                    ConvertRow<decltype(from)::value, decltype(to)::value>(
                        FPixels.data() + static_cast<std::size_t>(y) * FStride,
                        pixels.data() + y * stride, width);
            });
        });
    }
    FPixels = std::move(pixels);
    FWidth = AWidth;
    FHeight = AHeight;
    FStride = static_cast<int>(stride);
    FPixelFormat = AFormat;
}

void TBitmap::Assign(TPersistent* Source) {
    if (Source == this)
        return;
    auto* source = dynamic_cast<TBitmap*>(Source);
    if (Source != nullptr && source == nullptr) {
        // Other graphics (a JPEG image) know how to hand their pixels to a bitmap.
        TPersistent::Assign(Source);
        return;
    }
    if (source == nullptr) {
        FPixels.clear();
        FWidth = FHeight = FStride = 0;
    } else {
        FPixels = source->FPixels;
        FWidth = source->FWidth;
        FHeight = source->FHeight;
        FStride = source->FStride;
        FPixelFormat = source->FPixelFormat;
        FHandleType = source->FHandleType;
        FTransparentColor = source->FTransparentColor;
        StoreTransparent(source->Transparent());
    }
    Changed(this);
}

void TBitmap::TakeImage(TBitmap& Source) {
    if (&Source == this)
        return;
    FPixels = std::move(Source.FPixels);
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
    FStride = Source.FStride;
    FPixelFormat = Source.FPixelFormat;
    FHandleType = Source.FHandleType;
    Source.FPixels.clear();
    Source.FWidth = Source.FHeight = Source.FStride = 0;
    Changed(this);
}

void TBitmap::SetWidth(int Value) {
    SetSize(Value, FHeight);
}
void TBitmap::SetHeight(int Value) {
    SetSize(FWidth, Value);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    if (std::max(AWidth, 0) == FWidth && std::max(AHeight, 0) == FHeight)
        return;
    Reallocate(AWidth, AHeight, FPixelFormat, true);
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat)
        return;
    Reallocate(FWidth, FHeight, Value, true);
    Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
    if (Value == FHandleType)
        return;
    FHandleType = Value;
    Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value)
        SetPixelFormat(pf1bit);
    else if (Monochrome())
        SetPixelFormat(pfDevice);
}

// The pixels live in memory only; without a system handle, releasing it gives back the
// spare capacity of the pixel buffer.
void TBitmap::FreeImage() {
    FPixels.shrink_to_fit();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor != clDefault)
        return FTransparentColor;
    if (Empty())
        return clNone;
    return GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor)
        return;
    FTransparentColor = Value;
    Changed(this);
}

std::uint8_t* TBitmap::ScanLine(int Row) {
    return const_cast<std::uint8_t*>(std::as_const(*this).ScanLine(Row));
}

const std::uint8_t* TBitmap::ScanLine(int Row) const {
    if (Row < 0 || Row >= FHeight)
        throw EInvalidOperation(Format("行 %d はビットマップの外です", Row));
    return FPixels.data() + static_cast<std::size_t>(Row) * FStride;
}

TColor TBitmap::GetPixel(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return clNone;
    const std::uint8_t* row = ScanLine(Y);
    return WithRowLayout(FPixelFormat,
                         [&](auto layout) { return ReadPixel<decltype(layout)::value>(row, X); });
}

void TBitmap::SetPixel(int X, int Y, TColor Color) {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return;
    std::uint8_t* row = ScanLine(Y);
    WithRowLayout(FPixelFormat,
                  [&](auto layout) { WritePixel<decltype(layout)::value>(row, X, Color); });
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>(this);
        FCanvas->SetOnChange([this](TObject*) { CanvasChanged(); });
    }
    return FCanvas.get();
}

void TBitmap::LoadFromBytes(const TBytes& Data) {
    DecodeBmp(Data, *this);
}

TBytes TBitmap::SaveToBytes() {
    return EncodeBmp(*this);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (ACanvas == nullptr || Empty())
        return;
    TColor skip = Transparent() ? ColorToRGB(TransparentColor()) & 0xFFFFFF : clNone;
    // Drawn as an image, a monochrome bitmap shows its own black and white.
    ACanvas->StretchBitmap(Rect, this, Bounds(0, 0, FWidth, FHeight), ACanvas->CopyMode(), clBlack,
                           clWhite, skip);
}
