#include "platform/graphics/BmpCodec.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <functional>

using Rows = std::vector<std::string>;

namespace {

void Put16(TBytes& Data, std::size_t At, std::uint16_t Value) {
    Data[At] = Value & 0xFF;
    Data[At + 1] = Value >> 8;
}

void Put32(TBytes& Data, std::size_t At, std::uint32_t Value) {
    for (int i = 0; i < 4; ++i)
        Data[At + i] = (Value >> (8 * i)) & 0xFF;
}

std::uint32_t Get32(const TBytes& Data, std::size_t At) {
    return Data[At] | (Data[At + 1] << 8) | (Data[At + 2] << 16) |
           (static_cast<std::uint32_t>(Data[At + 3]) << 24);
}

// A file written by hand: headers, palette and rows as given (rows already padded).
TBytes BmpFile(int Width, int Height, int Bits, const std::vector<std::uint32_t>& Palette,
               const TBytes& Pixels) {
    std::size_t offBits = 14 + 40 + 4 * Palette.size();
    TBytes data(offBits);
    data[0] = 'B';
    data[1] = 'M';
    Put32(data, 2, static_cast<std::uint32_t>(offBits + Pixels.size()));
    Put32(data, 10, static_cast<std::uint32_t>(offBits));
    Put32(data, 14, 40);
    Put32(data, 18, static_cast<std::uint32_t>(Width));
    Put32(data, 22, static_cast<std::uint32_t>(Height));
    Put16(data, 26, 1);
    Put16(data, 28, static_cast<std::uint16_t>(Bits));
    Put32(data, 46, static_cast<std::uint32_t>(Palette.size()));
    for (std::size_t i = 0; i < Palette.size(); ++i)
        Put32(data, 54 + 4 * i, Palette[i]);
    data.insert(data.end(), Pixels.begin(), Pixels.end());
    return data;
}

} // namespace

TEST(BmpCodec, RoundTripsEveryFormat) {
    // Odd widths, so row padding and the bits past the last pixel matter.
    const Rows picture{"#.rgb", "ysk.#", "mc#.r"};
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit, pfDevice}) {
        auto original = MakeBitmap(picture, format);
        TBytes data = EncodeBmp(*original);
        TBitmap decoded;
        DecodeBmp(data, decoded);
        EXPECT_EQ(decoded.PixelFormat(), format == pfDevice ? pf32bit : format);
        EXPECT_EQ(Picture(decoded), Picture(*original)) << int(format);
        EXPECT_EQ(EncodeBmp(decoded), data) << int(format);
    }
}

TEST(BmpCodec, WritesTheStandardHeaders) {
    auto bitmap = MakeBitmap({"#.#", "..."}, pf1bit);
    TBytes data = EncodeBmp(*bitmap);
    ASSERT_EQ(data.size(), 14u + 40 + 8 + 2 * 4);
    EXPECT_EQ(data[0], 'B');
    EXPECT_EQ(data[1], 'M');
    EXPECT_EQ(Get32(data, 2), data.size());
    EXPECT_EQ(Get32(data, 10), 62u);
    EXPECT_EQ(Get32(data, 14), 40u);
    EXPECT_EQ(Get32(data, 18), 3u);
    EXPECT_EQ(Get32(data, 22), 2u); // positive: bottom row first
    EXPECT_EQ(data[28], 1);
    EXPECT_EQ(Get32(data, 54), 0x000000u);
    EXPECT_EQ(Get32(data, 58), 0xFFFFFFu);
    EXPECT_EQ(data[62], 0b11100000); // bottom row "..." first, padding bits clear
    EXPECT_EQ(data[66], 0b01000000);

    auto colour = MakeBitmap({"r"}, pf32bit);
    colour->ScanLine(0)[3] = 0x55; // the unused byte is written as zero
    TBytes row = EncodeBmp(*colour);
    EXPECT_EQ(TBytes(row.end() - 4, row.end()), (TBytes{0, 0, 255, 0}));
}

TEST(BmpCodec, ReadsTopDownAndBottomUpRows) {
    // Two rows of two 24-bit pixels, each row padded to 8 bytes: red green / blue white.
    TBytes rows{0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    TBitmap bitmap;
    DecodeBmp(BmpFile(2, -2, 24, {}, rows), bitmap);
    EXPECT_EQ(Picture(bitmap), (Rows{"rg", "b."}));
    DecodeBmp(BmpFile(2, 2, 24, {}, rows), bitmap);
    EXPECT_EQ(Picture(bitmap), (Rows{"b.", "rg"}));
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
}

TEST(BmpCodec, OneBitPalettes) {
    TBytes rows{0b10100000, 0, 0, 0};
    struct Case {
        const char* name;
        std::vector<std::uint32_t> palette;
        TPixelFormat format;
        Rows expected;
    };
    const Case cases[] = {
        {"black, white", {0x000000, 0xFFFFFF}, pf1bit, {".#."}},
        {"white, black", {0xFFFFFF, 0x000000}, pf1bit, {"#.#"}},
        {"colours", {0x0000FF, 0x00FF00}, pf24bit, {"gbg"}}, // palette entries are 0x00RRGGBB
        {"one colour, index 1 past it", {0xFFFFFF}, pf1bit, {"#.#"}},
    };
    for (const Case& c : cases) {
        TBitmap bitmap;
        DecodeBmp(BmpFile(3, 1, 1, c.palette, rows), bitmap);
        EXPECT_EQ(bitmap.PixelFormat(), c.format) << c.name;
        EXPECT_EQ(Picture(bitmap), c.expected) << c.name;
    }
}

TEST(BmpCodec, MalformedDataFailsAndLeavesTheBitmapAlone) {
    const TBytes valid = EncodeBmp(*MakeBitmap({"rg", "by"}, pf24bit));
    struct Case {
        const char* name;
        std::function<void(TBytes&)> spoil;
    };
    const Case cases[] = {
        {"empty",
         [](TBytes& d) {
             d.clear();
         }},
        {"magic",
         [](TBytes& d) {
             d[1] = 'A';
         }},
        {"header size",
         [](TBytes& d) {
             Put32(d, 14, 39);
         }},
        {"header past the end",
         [](TBytes& d) {
             Put32(d, 14, 124);
             d.erase(d.begin() + 60, d.end());
         }},
        {"negative width",
         [](TBytes& d) {
             Put32(d, 18, 0xFFFFFFFE);
         }},
        {"lowest height",
         [](TBytes& d) {
             Put32(d, 22, 0x80000000);
         }},
        {"planes",
         [](TBytes& d) {
             Put16(d, 26, 2);
         }},
        {"bit count",
         [](TBytes& d) {
             Put16(d, 28, 7);
         }},
        {"compression",
         [](TBytes& d) {
             Put32(d, 30, 99);
         }},
        {"pixels before the headers end",
         [](TBytes& d) {
             Put32(d, 10, 20);
         }},
        {"pixels past the end",
         [](TBytes& d) {
             Put32(d, 10, 0xFFFFFFF0);
         }},
        {"rows missing",
         [](TBytes& d) {
             d.erase(d.end() - 9, d.end());
         }},
        {"huge size, little data",
         [](TBytes& d) {
             Put32(d, 18, 0x7FFFFFFF);
             Put32(d, 22, 0x7FFFFFFF);
         }},
        {"tall, little data",
         [](TBytes& d) {
             Put32(d, 22, 0x40000000);
         }},
    };
    for (const Case& c : cases) {
        TBytes data = valid;
        c.spoil(data);
        auto bitmap = MakeBitmap({"#.#"}, pf32bit);
        int changes = 0;
        bitmap->SetOnChange([&](TObject*) { ++changes; });
        EXPECT_THROW(bitmap->LoadFromBytes(data), EInvalidGraphic) << c.name;
        EXPECT_EQ(Picture(*bitmap), (Rows{"#.#"})) << c.name;
        EXPECT_EQ(bitmap->PixelFormat(), pf32bit) << c.name;
        EXPECT_EQ(changes, 0) << c.name;
    }

    auto palette = BmpFile(3, 1, 1, {0, 0xFFFFFF, 0xFF}, {0, 0, 0, 0});
    TBitmap bitmap;
    EXPECT_THROW(DecodeBmp(palette, bitmap), EInvalidGraphic); // three colours for one bit
}

TEST(BmpCodec, EveryTruncationFailsCleanly) {
    const TBytes valid = EncodeBmp(*MakeBitmap({"rgb", "by."}, pf1bit));
    // Three bytes of the last row are padding, which may be missing.
    for (std::size_t size = 0; size < valid.size() - 3; ++size) {
        TBytes data(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(size));
        TBitmap bitmap;
        EXPECT_THROW(DecodeBmp(data, bitmap), EInvalidGraphic) << size << " bytes";
    }
}

TEST(BmpCodec, TheLastRowMayLackItsPadding) {
    TBytes data = EncodeBmp(*MakeBitmap({"rgb"}, pf24bit));
    data.erase(data.end() - 3, data.end());
    TBitmap bitmap;
    DecodeBmp(data, bitmap);
    EXPECT_EQ(Picture(bitmap), (Rows{"rgb"}));
}

TEST(BmpCodec, AnEmptyBitmapRoundTrips) {
    TBitmap empty;
    TBitmap decoded;
    decoded.SetSize(2, 2);
    DecodeBmp(EncodeBmp(empty), decoded);
    EXPECT_TRUE(decoded.Empty());
}
