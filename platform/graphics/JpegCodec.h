#pragma once

#include "platform/graphics/Graphic.h"

#include <cstdint>
#include <functional>

// JPEG coding over libjpeg-turbo, into and from plain rows. Every libjpeg error fails with
// EJPEG carrying libjpeg's message code; warnings are silent.

struct TJpegInfo {
    // The picture as it stands upright: the stored size with the EXIF orientation applied.
    int Width = 0;
    int Height = 0;
    // EXIF orientation 1 to 8; 1 when the file has none.
    int Orientation = 1;
};

// Reads the header and checks that the stream reaches its end marker, so that a broken file
// fails here rather than when it is first drawn.
TJpegInfo ReadJpegInfo(const TBytes& Data);

// Decodes the picture upright (Info from ReadJpegInfo) and scaled by nearest neighbour to
// Width x Height into Rows, one pointer per row of Width blue, green, red triples: the same
// pixels as a full decode scaled afterwards, reading only the rows and columns the scaling
// takes. Width and Height equal to Info's give the full picture.
void DecodeJpeg(const TBytes& Data, const TJpegInfo& Info, int Width, int Height,
                std::uint8_t* const* Rows);

struct TJpegSettings {
    int Quality = 90; // 1 to 100
    bool Progressive = false;
    bool Grayscale = false;
};

// The layouts of the rows handed to the encoder.
enum class TJpegInput { Rgb, Bgr, Bgrx };

// Row Row (top first) in the encoder's input layout: a row of the caller's own, or Scratch
// (room for Width RGB triples) filled with the row.
using TJpegRowSource = std::function<const std::uint8_t*(int Row, std::uint8_t* Scratch)>;

// Compresses Width x Height rows into a JFIF stream: libjpeg's defaults for RGB input, the
// floating-point DCT, the quality with baseline tables, one sequential scan unless
// progressive is asked for. Blue-first rows give the same stream as the same pixels in RGB:
// libjpeg-turbo converts them with the same arithmetic.
TBytes EncodeJpeg(int Width, int Height, TJpegInput Input, const TJpegRowSource& Source,
                  const TJpegSettings& Settings);

// The source index that nearest-neighbour scaling of Size samples to DestSize takes for
// destination index I: the centre of I, in integers.
inline int NearestSource(int I, int Size, int DestSize) {
    return static_cast<int>((2 * static_cast<std::int64_t>(I) + 1) * Size /
                            (2 * static_cast<std::int64_t>(DestSize)));
}
