#pragma once

#include "platform/graphics/Bitmap.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Small pictures written as text, one character per pixel, for fixtures and for comparing
// results with a readable failure message.
using TPalette = std::map<char, TColor>;

// '.' white, '#' black, 'r' red, 'g' lime, 'b' blue, 'y' yellow, 'm' fuchsia, 'c' aqua,
// 's' silver, 'k' gray.
const TPalette& DefaultPalette();

// A bitmap of the given format holding the picture; every row must be as long as the first.
std::unique_ptr<TBitmap> MakeBitmap(const std::vector<std::string>& Rows,
                                    TPixelFormat Format = pf24bit,
                                    const TPalette& Palette = DefaultPalette());
// A bitmap of one colour.
std::unique_ptr<TBitmap> MakeFilled(int Width, int Height, TColor Color,
                                    TPixelFormat Format = pf24bit);
// The bitmap as a picture; a colour that the palette lacks shows as '?'.
std::vector<std::string> Picture(const TBitmap& Bitmap, const TPalette& Palette = DefaultPalette());
