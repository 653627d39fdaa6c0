#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// JPEG files made in code with libjpeg itself, independent of the program's encoder.

struct TRgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TRgb&) const = default;
};

enum class TSubsampling { s444, s422, s420, s440 };

struct TJpegFixture {
    int Width = 16;
    int Height = 16;
    TSubsampling Subsampling = TSubsampling::s420;
    bool Progressive = false;
    int Quality = 90;
    std::function<TRgb(int X, int Y)> Pixel;
};

std::vector<std::uint8_t> MakeJpeg(const TJpegFixture& Fixture);

// A photo-like pattern: smooth gradients with some texture, so every block has detail.
TRgb PhotoPixel(int X, int Y, int Width, int Height);

// The same stream with an EXIF APP1 segment holding only the orientation tag, inserted right
// after the start marker.
std::vector<std::uint8_t> WithExifOrientation(const std::vector<std::uint8_t>& Jpeg,
                                              int Orientation);
