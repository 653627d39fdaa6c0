#pragma once

#include "platform/graphics/Bitmap.h"

// Pictures kept as text in the source tree (icons, glyphs), in the XPM format: the quoted
// strings of the file give "width height colours chars-per-pixel", then one line per colour
// ("<key> c #RRGGBB", or "c None" for a see-through pixel), then the rows.
// Reads it into a 32-bit bitmap. "None" pixels get clFuchsia and make the bitmap transparent
// with that colour. Malformed text fails with EInvalidGraphic.
void LoadXpm(TBitmap& Bitmap, const char* Text);
