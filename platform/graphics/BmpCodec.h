#pragma once

#include "platform/graphics/Graphic.h"

class TBitmap;

// Reads BMP file data into Bitmap; fails with EInvalidGraphic on anything malformed, never
// allocating more than the data can back. Bitmap is unchanged on failure.
void DecodeBmp(const TBytes& Data, TBitmap& Bitmap);
// BMP file data of the bitmap in its own pixel format (1, 24 or 32 bits per pixel).
TBytes EncodeBmp(const TBitmap& Bitmap);
