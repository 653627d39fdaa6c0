#pragma once

#include "platform/graphics/Graphic.h"
#include "platform/graphics/JpegCodec.h"

#include <memory>

class TBitmap;

// A JPEG picture. Loading keeps the compressed bytes; drawing decodes straight into the
// drawn size (and keeps that one result for the next paint at the same size); the full-size
// bitmap is decoded only when asked for. The EXIF orientation is applied when decoding.
class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    AnsiString ClassName() const override { return "TJPEGImage"; }

    // From another JPEG image (its data or bitmap and its settings) or from a bitmap (the
    // compressed data is discarded and a copy of the bitmap kept). Notifies once.
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // The size comes from the data or the assigned bitmap; these change nothing.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;

    int CompressionQuality() const { return FCompressionQuality; }
    // 1 to 100; values outside are clamped.
    void SetCompressionQuality(int Value);
    bool ProgressiveEncoding() const { return FProgressiveEncoding; }
    void SetProgressiveEncoding(bool Value) { FProgressiveEncoding = Value; }
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value) { FGrayscale = Value; }

    // The picture at full size (24 bits per pixel), decoded on first use and kept. It is for
    // reading: changes made to it are not saved; assign the bitmap back for that.
    TBitmap* Bitmap();

    // Checks the header and keeps the bytes; fails with EJPEG and stays unchanged.
    void LoadFromBytes(const TBytes& Data) override;
    // Loaded data is saved as it is, without a second lossy pass; an assigned bitmap is
    // compressed with the current settings (JFIF, baseline unless progressive).
    TBytes SaveToBytes() override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

protected:
    // Gives a TBitmap the full-size picture.
    void AssignTo(TPersistent* Dest) override;

private:
    // A Width x Height bitmap of the picture (see DecodeJpeg).
    std::unique_ptr<TBitmap> Decode(int AWidth, int AHeight) const;

    TBytes FData;
    TJpegInfo FInfo;
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FDrawn;
    int FCompressionQuality = 90;
    bool FProgressiveEncoding = false;
    bool FGrayscale = false;
};
