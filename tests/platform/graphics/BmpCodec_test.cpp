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
    // A row as long as can be, but no rows: empty, and nothing allocated for the row.
    TBytes wide = BmpFile(0x7FFFFFFF, 0, 24, {}, {});
    decoded.SetSize(2, 2);
    DecodeBmp(wide, decoded);
    EXPECT_TRUE(decoded.Empty());
}

namespace {

// Palette entries and bit-field colours as a file holds them: 0x00RRGGBB.
constexpr std::uint32_t K = 0x000000, W = 0xFFFFFF, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF,
                        Y = 0xFFFF00;

struct TBmpSpec {
    int HeaderSize = 40; // 12 is the OS/2 1.x core header
    int Width = 3;
    int Height = 2;
    int Bits = 8;
    std::uint32_t Compression = 0;
    std::vector<std::uint32_t> Masks; // red, green, blue
    std::vector<std::uint32_t> Palette;
    TBytes Pixels;
};

void Append16(TBytes& Data, std::uint16_t Value) {
    Data.push_back(Value & 0xFF);
    Data.push_back(Value >> 8);
}

void Append32(TBytes& Data, std::uint32_t Value) {
    for (int i = 0; i < 4; ++i)
        Data.push_back((Value >> (8 * i)) & 0xFF);
}

// Any header version, written field by field.
TBytes MakeBmp(const TBmpSpec& Spec) {
    bool core = Spec.HeaderSize == 12;
    TBytes header;
    Append32(header, static_cast<std::uint32_t>(Spec.HeaderSize));
    if (core) {
        Append16(header, static_cast<std::uint16_t>(Spec.Width));
        Append16(header, static_cast<std::uint16_t>(Spec.Height));
        Append16(header, 1);
        Append16(header, static_cast<std::uint16_t>(Spec.Bits));
    } else {
        Append32(header, static_cast<std::uint32_t>(Spec.Width));
        Append32(header, static_cast<std::uint32_t>(Spec.Height));
        Append16(header, 1);
        Append16(header, static_cast<std::uint16_t>(Spec.Bits));
        Append32(header, Spec.Compression);
        Append32(header, static_cast<std::uint32_t>(Spec.Pixels.size()));
        Append32(header, 2835);
        Append32(header, 2835);
        Append32(header, static_cast<std::uint32_t>(Spec.Palette.size()));
        Append32(header, 0);
        if (Spec.HeaderSize > 40) {
            for (std::uint32_t mask : Spec.Masks)
                Append32(header, mask);
        }
        header.resize(static_cast<std::size_t>(Spec.HeaderSize), 0);
        if (Spec.HeaderSize == 40) {
            for (std::uint32_t mask : Spec.Masks)
                Append32(header, mask);
        }
    }
    for (std::uint32_t colour : Spec.Palette) {
        header.push_back(colour & 0xFF);
        header.push_back((colour >> 8) & 0xFF);
        header.push_back((colour >> 16) & 0xFF);
        if (!core)
            header.push_back(0);
    }
    TBytes data{'B', 'M'};
    std::size_t offBits = 14 + header.size();
    Append32(data, static_cast<std::uint32_t>(offBits + Spec.Pixels.size()));
    Append32(data, 0);
    Append32(data, static_cast<std::uint32_t>(offBits));
    data.insert(data.end(), header.begin(), header.end());
    data.insert(data.end(), Spec.Pixels.begin(), Spec.Pixels.end());
    return data;
}

const std::vector<std::uint32_t> kPalette{K, W, R, G, B, Y};

// Every variant below holds "rgb" over ".#y".
std::vector<std::pair<const char*, TBmpSpec>> Variants() {
    auto with = [](auto change) {
        TBmpSpec spec;
        spec.Palette = kPalette;
        change(spec);
        return spec;
    };
    std::vector<std::pair<const char*, TBmpSpec>> variants;
    variants.push_back({"4 bits", with([](TBmpSpec& s) {
                            s.Bits = 4;
                            s.Pixels = {0x10, 0x50, 0, 0, 0x23, 0x40, 0, 0};
                        })});
    variants.push_back({"8 bits", with([](TBmpSpec& s) { s.Pixels = {1, 0, 5, 0, 2, 3, 4, 0}; })});
    variants.push_back({"8 bits top-down", with([](TBmpSpec& s) {
                            s.Height = -2;
                            s.Pixels = {2, 3, 4, 0, 1, 0, 5, 0};
                        })});
    variants.push_back({"16 bits 5-5-5", with([](TBmpSpec& s) {
                            s.Bits = 16;
                            s.Palette.clear();
                            s.Pixels = {0xFF, 0x7F, 0,    0,    0xE0, 0x7F, 0, 0,
                                        0,    0x7C, 0xE0, 0x03, 0x1F, 0,    0, 0};
                        })});
    variants.push_back({"16 bits 5-6-5 bit fields", with([](TBmpSpec& s) {
                            s.Bits = 16;
                            s.Compression = 3;
                            s.Masks = {0xF800, 0x07E0, 0x001F};
                            s.Palette.clear();
                            s.Pixels = {0xFF, 0xFF, 0,    0,    0xE0, 0xFF, 0, 0,
                                        0,    0xF8, 0xE0, 0x07, 0x1F, 0,    0, 0};
                        })});
    variants.push_back({"32 bits, red in the low byte", with([](TBmpSpec& s) {
                            s.Bits = 32;
                            s.Compression = 3;
                            s.Masks = {0x0000FF, 0x00FF00, 0xFF0000};
                            s.Palette.clear();
                            s.Pixels = {255, 255, 255, 0, 0, 0,   0, 0, 255, 255, 0,   0,
                                        255, 0,   0,   0, 0, 255, 0, 0, 0,   0,   255, 0};
                        })});
    variants.push_back({"V4 header, 32-bit fields", with([](TBmpSpec& s) {
                            s.HeaderSize = 108;
                            s.Bits = 32;
                            s.Compression = 3;
                            s.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
                            s.Palette.clear();
                            s.Pixels = {255, 255, 255, 0, 0, 0,   0, 0, 0,   255, 255, 0,
                                        0,   0,   255, 0, 0, 255, 0, 0, 255, 0,   0,   0};
                        })});
    variants.push_back({"V5 header, 24 bits", with([](TBmpSpec& s) {
                            s.HeaderSize = 124;
                            s.Bits = 24;
                            s.Palette.clear();
                            s.Pixels = {255, 255, 255, 0, 0,   0, 0,   255, 255, 0, 0, 0,
                                        0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0};
                        })});
    variants.push_back({"OS/2 core header, 8 bits", with([](TBmpSpec& s) {
                            s.HeaderSize = 12;
                            s.Pixels = {1, 0, 5, 0, 2, 3, 4, 0};
                        })});
    variants.push_back({"OS/2 core header, 24 bits", with([](TBmpSpec& s) {
                            s.HeaderSize = 12;
                            s.Bits = 24;
                            s.Palette.clear();
                            s.Pixels = {255, 255, 255, 0, 0,   0, 0,   255, 255, 0, 0, 0,
                                        0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0};
                        })});
    variants.push_back({"RLE8", with([](TBmpSpec& s) {
                            s.Compression = 1;
                            s.Pixels = {1, 1, 1, 0, 1, 5, 0, 0,        // runs, end of line
                                        0, 3, 2, 3, 4, 0, 0, 0, 0, 1}; // absolute, end
                        })});
    variants.push_back({"RLE4", with([](TBmpSpec& s) {
                            s.Bits = 4;
                            s.Compression = 2;
                            s.Pixels = {0, 3,    0x10, 0x50, 0, 0,        // absolute, end of line
                                        2, 0x23, 1,    0x40, 0, 0, 0, 1}; // runs, end
                        })});
    return variants;
}

} // namespace

TEST(BmpCodec, ReadsTheVariantsRealFilesUse) {
    for (const auto& [name, spec] : Variants()) {
        SCOPED_TRACE(name);
        TBitmap bitmap;
        DecodeBmp(MakeBmp(spec), bitmap);
        EXPECT_EQ(Picture(bitmap), (Rows{"rgb", ".#y"}));
        EXPECT_EQ(bitmap.PixelFormat(), spec.Bits == 32 ? pf32bit : pf24bit);
    }
}

TEST(BmpCodec, RunLengthSkipsLeaveColourZero) {
    TBmpSpec spec;
    spec.Compression = 1;
    spec.Palette = {G, B};
    // Delta to (1, 1), a run of two blues, end of bitmap: everything else stays index 0.
    spec.Pixels = {0, 2, 1, 1, 2, 1, 0, 1};
    TBitmap bitmap;
    DecodeBmp(MakeBmp(spec), bitmap);
    EXPECT_EQ(Picture(bitmap), (Rows{"gbb", "ggg"}));
}

TEST(BmpCodec, MalformedVariantsFail) {
    auto rle = [](TBytes Pixels, int Width = 3, int Height = 2) {
        TBmpSpec spec;
        spec.Compression = 1;
        spec.Palette = kPalette;
        spec.Width = Width;
        spec.Height = Height;
        spec.Pixels = std::move(Pixels);
        return MakeBmp(spec);
    };
    auto fields = [](std::vector<std::uint32_t> Masks, int Bits) {
        TBmpSpec spec;
        spec.Bits = Bits;
        spec.Compression = 3;
        spec.Masks = std::move(Masks);
        spec.Pixels = TBytes(16, 0);
        return MakeBmp(spec);
    };
    TBmpSpec paletteSpec;
    paletteSpec.Palette = std::vector<std::uint32_t>(300, W);
    paletteSpec.Pixels = TBytes(8, 0);
    TBytes shortPalette = MakeBmp([] {
        TBmpSpec s;
        s.Palette = std::vector<std::uint32_t>(256, W);
        s.Pixels = TBytes(8, 0);
        return s;
    }());
    shortPalette.resize(14 + 40 + 100);
    TBytes insidePalette = MakeBmp([] {
        TBmpSpec s;
        s.Palette = kPalette;
        s.Pixels = TBytes(8, 0);
        return s;
    }());
    Put32(insidePalette, 10, 14 + 40 + 8);
    TBmpSpec core16;
    core16.HeaderSize = 12;
    core16.Bits = 16;
    core16.Pixels = TBytes(16, 0);
    TBytes coreCut = MakeBmp(core16);
    coreCut.resize(20);
    TBmpSpec rle4Bits;
    rle4Bits.Bits = 4;
    rle4Bits.Compression = 1;
    rle4Bits.Palette = kPalette;
    rle4Bits.Pixels = {0, 1};
    TBytes masksMissing = fields({0xF800, 0x07E0, 0x001F}, 16);
    masksMissing.resize(14 + 40 + 6);

    struct TCase {
        const char* Name;
        TBytes Data;
    };
    const TCase cases[] = {
        {"run past the row's end", rle({4, 1, 0, 1})},
        {"run below the last row", rle({0, 0, 0, 0, 1, 1, 0, 1})},
        {"delta out of the picture", rle({0, 2, 5, 0, 0, 1})},
        {"delta below the last row", rle({0, 2, 0, 3, 0, 1})},
        {"absolute run past the data", rle({0, 200, 1, 2})},
        {"absolute run past the row", rle({0, 4, 1, 1, 1, 1, 0, 1})},
        {"data ends before the rows do", rle({3, 1, 0, 0})},
        {"huge size, little run-length data", rle({0, 1}, 100000, 100000)},
        {"holes in a mask", fields({0x0F0F, 0x00F0, 0xF000}, 16)},
        {"bit fields of 24 bits", fields({0xFF0000, 0xFF00, 0xFF}, 24)},
        {"masks missing", masksMissing},
        {"RLE8 with 4 bits", MakeBmp(rle4Bits)},
        {"core header with 16 bits", MakeBmp(core16)},
        {"core header cut short", coreCut},
        {"more colours than the bits hold", MakeBmp(paletteSpec)},
        {"palette past the end", shortPalette},
        {"pixels inside the palette", insidePalette},
    };
    for (const TCase& c : cases) {
        TBitmap bitmap;
        EXPECT_THROW(DecodeBmp(c.Data, bitmap), EInvalidGraphic) << c.Name;
        EXPECT_TRUE(bitmap.Empty()) << c.Name;
    }
}

TEST(BmpCodec, DamagedVariantsNeverCrash) {
    // Every truncation and random damage of every variant either reads or fails cleanly; the
    // sanitizers catch any read or write outside the data or the bitmap.
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (const auto& [name, spec] : Variants()) {
        const TBytes valid = MakeBmp(spec);
        std::vector<TBytes> damaged;
        for (std::size_t size = 0; size < valid.size(); ++size)
            damaged.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(size));
        for (int i = 0; i < 300; ++i) {
            TBytes data = valid;
            for (int hits = 1 + next() % 3; hits > 0; --hits)
                data[next() % data.size()] = static_cast<std::uint8_t>(next());
            damaged.push_back(std::move(data));
        }
        for (const TBytes& data : damaged) {
            TBitmap bitmap;
            try {
                DecodeBmp(data, bitmap);
            } catch (const EInvalidGraphic&) {
            }
        }
        SUCCEED() << name;
    }
}
