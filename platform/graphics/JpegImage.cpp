#include "platform/graphics/JpegImage.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

namespace {

// A decoded picture larger than this (768 MB at 24 bits) fails as libjpeg's own out-of-memory
// error instead of exhausting the machine.
constexpr std::int64_t kMaxDecodedPixels = std::int64_t{1} << 28;

// A monochrome row as red, green, blue (a set bit is white); the other formats go to the
// encoder as they are.
const std::uint8_t* MonochromeRow(const TBitmap& Bitmap, int Row, std::uint8_t* Rgb) {
    const std::uint8_t* line = Bitmap.ScanLine(Row);
    for (int x = 0; x < Bitmap.Width(); ++x) {
        std::uint8_t v = (line[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
        Rgb[3 * x] = Rgb[3 * x + 1] = Rgb[3 * x + 2] = v;
    }
    return Rgb;
}

} // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* Source) {
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
        if (jpeg == this)
            return;
        std::unique_ptr<TBitmap> bitmap;
        if (jpeg->FData.empty() && jpeg->FBitmap) {
            bitmap = std::make_unique<TBitmap>();
            bitmap->Assign(jpeg->FBitmap.get());
        }
        FData = jpeg->FData;
        FInfo = jpeg->FInfo;
        FBitmap = std::move(bitmap);
        FDrawn.reset();
        FCompressionQuality = jpeg->FCompressionQuality;
        FProgressiveEncoding = jpeg->FProgressiveEncoding;
        FGrayscale = jpeg->FGrayscale;
        Changed(this);
        return;
    }
    if (auto* source = dynamic_cast<TBitmap*>(Source)) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(source);
        TBytes().swap(FData);
        FInfo = {};
        FBitmap = std::move(bitmap);
        FDrawn.reset();
        Changed(this);
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(Bitmap());
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TJPEGImage::Empty() const {
    return FData.empty() && (!FBitmap || FBitmap->Empty());
}

int TJPEGImage::Width() const {
    if (!FData.empty())
        return FInfo.Width;
    return FBitmap ? FBitmap->Width() : 0;
}

int TJPEGImage::Height() const {
    if (!FData.empty())
        return FInfo.Height;
    return FBitmap ? FBitmap->Height() : 0;
}

void TJPEGImage::SetWidth(int) {}
void TJPEGImage::SetHeight(int) {}

void TJPEGImage::SetCompressionQuality(int Value) {
    FCompressionQuality = std::clamp(Value, 1, 100);
}

std::unique_ptr<TBitmap> TJPEGImage::Decode(int AWidth, int AHeight) const {
    if (static_cast<std::int64_t>(AWidth) * AHeight > kMaxDecodedPixels)
        throw EJPEG(JERR_OUT_OF_MEMORY);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(AWidth, AHeight);
    std::vector<std::uint8_t*> rows(AHeight);
    for (int y = 0; y < AHeight; ++y)
        rows[y] = bitmap->ScanLine(y);
    DecodeJpeg(FData, FInfo, AWidth, AHeight, rows.data());
    return bitmap;
}

TBitmap* TJPEGImage::Bitmap() {
    if (!FBitmap)
        FBitmap = FData.empty() ? std::make_unique<TBitmap>() : Decode(FInfo.Width, FInfo.Height);
    return FBitmap.get();
}

void TJPEGImage::LoadFromBytes(const TBytes& Data) {
    TJpegInfo info = ReadJpegInfo(Data);
    FData = Data;
    FInfo = info;
    FBitmap.reset();
    FDrawn.reset();
    Changed(this);
}

TBytes TJPEGImage::SaveToBytes() {
    if (!FData.empty())
        return FData;
    TJpegSettings settings{FCompressionQuality, FProgressiveEncoding, FGrayscale};
    if (!FBitmap)
        return EncodeJpeg(0, 0, TJpegInput::Rgb, nullptr, settings);
    const TBitmap& bitmap = *FBitmap;
    if (bitmap.PixelFormat() == pf1bit)
        return EncodeJpeg(
            bitmap.Width(), bitmap.Height(), TJpegInput::Rgb,
            [&bitmap](int Row, std::uint8_t* Rgb) { return MonochromeRow(bitmap, Row, Rgb); },
            settings);
    return EncodeJpeg(
        bitmap.Width(), bitmap.Height(),
        bitmap.PixelFormat() == pf24bit ? TJpegInput::Bgr : TJpegInput::Bgrx,
        [&bitmap](int Row, std::uint8_t*) { return bitmap.ScanLine(Row); }, settings);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    int width = Rect.Width();
    int height = Rect.Height();
    if (Empty() || width <= 0 || height <= 0)
        return;
    if (FBitmap) {
        FBitmap->Draw(ACanvas, Rect);
        return;
    }
    if (!FDrawn || FDrawn->Width() != width || FDrawn->Height() != height)
        FDrawn = Decode(width, height);
    FDrawn->Draw(ACanvas, Rect);
}
