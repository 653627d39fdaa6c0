#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/Graphic.h"

#include <memory>

// pfDevice is the display's format, which here is 32 bits per pixel.
enum TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf24bit, pf32bit };
enum TBitmapHandleType : std::uint8_t { bmDIB, bmDDB };

// A bitmap whose pixels live in memory, rows top first.
// Row layouts: pf1bit one bit per pixel, most significant bit first, a set bit is white;
// pf24bit blue, green, red; pf32bit and pfDevice blue, green, red and an unused byte.
// Rows are padded to a multiple of 4 bytes.
class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    AnsiString ClassName() const override { return "TBitmap"; }

    // A deep copy of another bitmap's pixels, format, handle type and transparency; a
    // JPEG image assigns its decoded pixels. Notifies once.
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    // New pixels are white; the pixels that stay inside keep their colours.
    void SetSize(int AWidth, int AHeight);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels; notifies only when the format changes.
    void SetPixelFormat(TPixelFormat Value);
    TBitmapHandleType HandleType() const { return FHandleType; }
    // Notifies only when the handle type changes; the pixels stay as they are.
    void SetHandleType(TBitmapHandleType Value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    // True converts to pf1bit: pixels whose grey level is 128 or more become set bits.
    // False converts a monochrome bitmap to the device format.
    void SetMonochrome(bool Value);
    // Releases the handle; the pixels stay.
    void FreeImage();

    // The colour left out when the bitmap is drawn transparent. clDefault (the initial value)
    // stands for the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);

    int BytesPerLine() const { return FStride; }
    // Row access never notifies.
    std::uint8_t* ScanLine(int Row);
    const std::uint8_t* ScanLine(int Row) const;

    // One pixel as 0x00BBGGRR; outside the bitmap: clNone from GetPixel, no effect for SetPixel.
    TColor GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);

    // The bitmap's own canvas; drawing on it notifies the bitmap's OnChange.
    TCanvas* Canvas();

    // Moves Source's pixels, size, pixel format and handle type into this bitmap, leaving
    // Source empty; the transparency settings stay. Notifies once. Decoders fill a bitmap of
    // their own and hand it over this way, so a failed decode changes nothing.
    void TakeImage(TBitmap& Source);

    void LoadFromBytes(const TBytes& Data) override; // BMP file data
    TBytes SaveToBytes() override;                   // BMP file data
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    // Lets the canvas report its drawing as a change of this bitmap.
    void CanvasChanged() { Changed(this); }

private:
    void Reallocate(int AWidth, int AHeight, TPixelFormat Format, bool Keep);

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TBitmapHandleType FHandleType = bmDIB;
    TColor FTransparentColor = clDefault;
    std::vector<std::uint8_t> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
};

int BitsPerPixel(TPixelFormat Format);
