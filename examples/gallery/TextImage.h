#pragma once

#include "platform/graphics/Bitmap.h"

#include <memory>

// Small pictures kept as text in the source tree, so they can be read and changed in any
// editor:
//   16 16 3          width, height, number of colours
//   . #FF00FF        one line per colour: a letter and its #RRGGBB value
//   X #000000
//   o #FFCC00
//   ....XXXX....    then one line of letters per row, top row first
// Returns a 32-bit bitmap; throws EConvertError naming the line when the text is malformed.
std::unique_ptr<TBitmap> LoadTextImage(const char* Text);
