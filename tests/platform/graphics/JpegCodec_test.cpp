#include "platform/graphics/JpegCodec.h"

#include "platform/base/Exceptions.h"
#include "support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include <jpeglib.h>

#include <jerror.h>

namespace {

struct TImage {
    int Width = 0;
    int Height = 0;
    std::vector<TRgb> Pixels;
    TRgb At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

TImage Decode(const TBytes& Data, const TJpegInfo& Info, int Width, int Height) {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(Width) * Height * 3);
    std::vector<std::uint8_t*> rows(Height);
    for (int y = 0; y < Height; ++y)
        rows[y] = bgr.data() + static_cast<std::size_t>(y) * Width * 3;
    DecodeJpeg(Data, Info, Width, Height, rows.data());
    TImage image{Width, Height, {}};
    for (std::size_t i = 0; i < bgr.size(); i += 3)
        image.Pixels.push_back({bgr[i + 2], bgr[i + 1], bgr[i]});
    return image;
}

TImage DecodeFull(const TBytes& Data) {
    TJpegInfo info = ReadJpegInfo(Data);
    return Decode(Data, info, info.Width, info.Height);
}

// Nearest neighbour, sampling source pixel centres, in floating point with a correction so
// the test does not share the decoder's integer formula.
int Centre(int I, int Size, int DestSize) {
    long double s = (I + 0.5L) * Size / DestSize;
    int n = static_cast<int>(s);
    // (2i + 1) * Size / (2 * DestSize) is exact as a fraction; compare by cross-multiplying.
    while (static_cast<long long>(n + 1) * 2 * DestSize <= (2LL * I + 1) * Size)
        ++n;
    while (static_cast<long long>(n) * 2 * DestSize > (2LL * I + 1) * Size)
        --n;
    return n;
}

TImage Nearest(const TImage& Source, int Width, int Height) {
    TImage image{Width, Height, {}};
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.Pixels.push_back(
                Source.At(Centre(x, Source.Width, Width), Centre(y, Source.Height, Height)));
    return image;
}

int MaxDifference(const TImage& A, const TImage& B) {
    int worst = 0;
    for (std::size_t i = 0; i < A.Pixels.size(); ++i) {
        worst = std::max({worst, std::abs(A.Pixels[i].R - B.Pixels[i].R),
                          std::abs(A.Pixels[i].G - B.Pixels[i].G),
                          std::abs(A.Pixels[i].B - B.Pixels[i].B)});
    }
    return worst;
}

TBytes Photo(int Width, int Height, TSubsampling Subsampling, bool Progressive = false) {
    TJpegFixture fixture;
    fixture.Width = Width;
    fixture.Height = Height;
    fixture.Subsampling = Subsampling;
    fixture.Progressive = Progressive;
    fixture.Pixel = [=](int x, int y) {
        return PhotoPixel(x, y, Width, Height);
    };
    return MakeJpeg(fixture);
}

TBytes EncodeImage(const TImage& Image, const TJpegSettings& Settings,
                   TJpegInput Input = TJpegInput::Rgb) {
    int size = Input == TJpegInput::Bgrx ? 4 : 3;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(Image.Width) * Image.Height * size);
    for (std::size_t i = 0; i < Image.Pixels.size(); ++i) {
        TRgb p = Image.Pixels[i];
        std::uint8_t* d = rows.data() + i * size;
        d[0] = Input == TJpegInput::Rgb ? p.R : p.B;
        d[1] = p.G;
        d[2] = Input == TJpegInput::Rgb ? p.B : p.R;
        if (size == 4)
            d[3] = 0xA5;
    }
    return EncodeJpeg(
        Image.Width, Image.Height, Input,
        [&](int row, std::uint8_t*) {
            return rows.data() + static_cast<std::size_t>(row) * Image.Width * size;
        },
        Settings);
}

struct TSegment {
    int Marker;
    std::vector<std::uint8_t> Body;
};

// The marker segments up to and including the first SOS, and the markers found in the rest.
std::vector<TSegment> Segments(const TBytes& Data) {
    std::vector<TSegment> segments;
    EXPECT_GE(Data.size(), 4u);
    EXPECT_EQ(Data[0], 0xFF);
    EXPECT_EQ(Data[1], 0xD8);
    std::size_t i = 2;
    bool inScan = false;
    while (i + 1 < Data.size()) {
        if (inScan) {
            if (Data[i] == 0xFF && Data[i + 1] != 0x00 &&
                (Data[i + 1] < 0xD0 || Data[i + 1] > 0xD7)) {
                int marker = Data[i + 1];
                if (marker == 0xD9) {
                    segments.push_back({marker, {}});
                    i += 2;
                    continue;
                }
                inScan = false;
                continue;
            }
            ++i;
            continue;
        }
        EXPECT_EQ(Data[i], 0xFF);
        int marker = Data[i + 1];
        std::size_t length = (Data[i + 2] << 8) | Data[i + 3];
        segments.push_back({marker, {Data.begin() + i + 4, Data.begin() + i + 2 + length}});
        i += 2 + length;
        if (marker == 0xDA)
            inScan = true;
    }
    return segments;
}

std::array<int, 64> ZigzagToNatural() {
    std::array<int, 64> order{};
    int k = 0;
    for (int s = 0; s < 15; ++s) {
        for (int t = 0; t <= s; ++t) {
            int row = s % 2 == 1 ? t : s - t;
            int column = s - row;
            if (row < 8 && column < 8)
                order[k++] = row * 8 + column;
        }
    }
    return order;
}

} // namespace

TEST(JpegCodec, RoundTripKeepsPixelsAndSize) {
    TImage image{37, 23, {}};
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            image.Pixels.push_back({static_cast<std::uint8_t>(x * 6),
                                    static_cast<std::uint8_t>(y * 10),
                                    static_cast<std::uint8_t>(128 + x - y)});
    TBytes data = EncodeImage(image, {95, false, false});
    TJpegInfo info = ReadJpegInfo(data);
    EXPECT_EQ(info.Width, 37);
    EXPECT_EQ(info.Height, 23);
    EXPECT_EQ(info.Orientation, 1);
    TImage decoded = DecodeFull(data);
    EXPECT_LE(MaxDifference(image, decoded), 12);
}

TEST(JpegCodec, BlueFirstRowsGiveTheSameStreamAsRgb) {
    TImage image{41, 19, {}};
    for (int i = 0; i < 41 * 19; ++i)
        image.Pixels.push_back({static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 3),
                                static_cast<std::uint8_t>(i * 11)});
    for (TJpegSettings settings :
         {TJpegSettings{80, false, false}, TJpegSettings{35, true, true}}) {
        TBytes rgb = EncodeImage(image, settings);
        EXPECT_EQ(EncodeImage(image, settings, TJpegInput::Bgr), rgb);
        EXPECT_EQ(EncodeImage(image, settings, TJpegInput::Bgrx), rgb);
    }
}

TEST(JpegCodec, SavedStreamIsBaselineJfifWithQualityTables) {
    TImage image{48, 32, std::vector<TRgb>(48 * 32, TRgb{10, 200, 30})};
    TBytes data = EncodeImage(image, {80, false, false});
    std::vector<TSegment> segments = Segments(data);
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().Marker, 0xE0);
    ASSERT_GE(segments.front().Body.size(), 5u);
    EXPECT_EQ(std::string(segments.front().Body.begin(), segments.front().Body.begin() + 5),
              std::string("JFIF\0", 5));
    EXPECT_EQ(segments.back().Marker, 0xD9);
    EXPECT_EQ(data[data.size() - 2], 0xFF);
    EXPECT_EQ(data[data.size() - 1], 0xD9);

    std::map<int, int> count;
    for (const TSegment& s : segments)
        ++count[s.Marker];
    EXPECT_EQ(count[0xC0], 1); // baseline sequential frame
    EXPECT_EQ(count[0xC1] + count[0xC2], 0);
    EXPECT_EQ(count[0xDA], 1); // one scan
    for (const TSegment& s : segments) {
        if (s.Marker == 0xC0) {
            EXPECT_EQ(s.Body[0], 8); // precision
            EXPECT_EQ(s.Body[5], 3); // components
            EXPECT_EQ((s.Body[1] << 8) | s.Body[2], 32);
            EXPECT_EQ((s.Body[3] << 8) | s.Body[4], 48);
        }
    }

    // The standard's example tables scaled to quality 80, stored in zigzag order.
    const int luminance[64] = {16,  11,  10,  16,  24, 40, 51,  61,  12,  12,  14,  19,  26,
                               58,  60,  55,  14,  13, 16, 24,  40,  57,  69,  56,  14,  17,
                               22,  29,  51,  87,  80, 62, 18,  22,  37,  56,  68,  109, 103,
                               77,  24,  35,  55,  64, 81, 104, 113, 92,  49,  64,  78,  87,
                               103, 121, 120, 101, 72, 92, 95,  98,  112, 100, 103, 99};
    int chrominance[64];
    const int chromaTop[4][4] = {
        {17, 18, 24, 47}, {18, 21, 26, 66}, {24, 26, 56, 99}, {47, 66, 99, 99}};
    for (int i = 0; i < 64; ++i)
        chrominance[i] = i / 8 < 4 && i % 8 < 4 ? chromaTop[i / 8][i % 8] : 99;
    int scale = 200 - 2 * 80;
    auto scaled = [&](int base) {
        return std::clamp((base * scale + 50) / 100, 1, 255);
    };
    std::array<int, 64> natural = ZigzagToNatural();
    std::map<int, std::vector<int>> tables;
    for (const TSegment& s : segments) {
        if (s.Marker != 0xDB)
            continue;
        for (std::size_t i = 0; i + 65 <= s.Body.size(); i += 65) {
            EXPECT_EQ(s.Body[i] >> 4, 0); // 8-bit entries
            tables[s.Body[i] & 15].assign(s.Body.begin() + i + 1, s.Body.begin() + i + 65);
        }
    }
    ASSERT_EQ(tables.size(), 2u);
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(tables[0][k], scaled(luminance[natural[k]])) << "luminance " << k;
        EXPECT_EQ(tables[1][k], scaled(chrominance[natural[k]])) << "chrominance " << k;
    }
}

TEST(JpegCodec, ProgressiveAndGrayscaleSettings) {
    TImage image{20, 20, std::vector<TRgb>(400, TRgb{200, 100, 50})};
    std::map<int, int> progressive;
    for (const TSegment& s : Segments(EncodeImage(image, {80, true, false})))
        ++progressive[s.Marker];
    EXPECT_EQ(progressive[0xC2], 1);
    EXPECT_GT(progressive[0xDA], 1);
    for (const TSegment& s : Segments(EncodeImage(image, {80, false, true}))) {
        if (s.Marker == 0xC0) {
            EXPECT_EQ(s.Body[5], 1);
        }
    }
}

TEST(JpegCodec, EncodingNothingFailsWithLibjpegCode) {
    try {
        EncodeJpeg(0, 0, TJpegInput::Rgb, nullptr, {});
        FAIL() << "no exception";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code(), JERR_EMPTY_IMAGE);
        EXPECT_EQ(e.Message(), "JPEG エラー #" + std::to_string(JERR_EMPTY_IMAGE));
    }
}

TEST(JpegCodec, BrokenFilesFailWithLibjpegCodes) {
    TBytes good = Photo(64, 48, TSubsampling::s420);
    TBytes garbage = {0xFF, 0xD8};
    for (int i = 0; i < 200; ++i)
        garbage.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    TBytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0};
    struct TCase {
        const char* Name;
        TBytes Data;
        int Code;
    };
    const TCase cases[] = {
        {"empty", {}, JERR_INPUT_EMPTY},
        {"not a JPEG", bmp, JERR_NO_SOI},
        {"garbage after SOI", garbage, JERR_NO_IMAGE},
        {"cut in the header", TBytes(good.begin(), good.begin() + 40), JERR_NO_IMAGE},
        {"cut in the scan", TBytes(good.begin(), good.begin() + good.size() / 2), JWRN_JPEG_EOF},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            ReadJpegInfo(c.Data);
            ADD_FAILURE() << "no exception";
        } catch (const EJPEG& e) {
            EXPECT_EQ(e.Code(), c.Code);
        }
    }
}

TEST(JpegCodec, SampledDecodeEqualsFullDecodeScaled) {
    struct TCase {
        const char* Name;
        TSubsampling Subsampling;
        bool Progressive;
    };
    const TCase cases[] = {{"4:4:4", TSubsampling::s444, false},
                           {"4:2:2", TSubsampling::s422, false},
                           {"4:2:0", TSubsampling::s420, false},
                           {"4:4:0", TSubsampling::s440, false},
                           {"4:2:0 progressive", TSubsampling::s420, true}};
    std::mt19937 random(20261211);
    for (const TCase& c : cases) {
        for (auto [width, height] : {std::pair{97, 61}, std::pair{33, 210}}) {
            SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(width) + "x" +
                         std::to_string(height));
            TBytes data = Photo(width, height, c.Subsampling, c.Progressive);
            TJpegInfo info = ReadJpegInfo(data);
            TImage full = Decode(data, info, width, height);
            std::vector<std::pair<int, int>> sizes = {{1, 1}, {120, 160}, {width, 1}, {1, height}};
            for (int i = 0; i < 8; ++i)
                sizes.push_back({std::uniform_int_distribution(1, 2 * width)(random),
                                 std::uniform_int_distribution(1, 2 * height)(random)});
            for (auto [w, h] : sizes) {
                SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
                TImage sampled = Decode(data, info, w, h);
                ASSERT_EQ(sampled.Pixels, Nearest(full, w, h).Pixels);
            }
        }
    }
}

namespace {

const TRgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0}, kYellow{255, 255, 0};

// Stored as 3 x 2 flat 8 x 8 blocks: red green blue over white black yellow.
TBytes Blocks() {
    TJpegFixture fixture;
    fixture.Width = 24;
    fixture.Height = 16;
    fixture.Subsampling = TSubsampling::s444;
    fixture.Quality = 100;
    fixture.Pixel = [](int x, int y) {
        const TRgb grid[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}};
        return grid[y / 8][x / 8];
    };
    return MakeJpeg(fixture);
}

bool Near(TRgb A, TRgb B) {
    return std::abs(A.R - B.R) <= 8 && std::abs(A.G - B.G) <= 8 && std::abs(A.B - B.B) <= 8;
}

} // namespace

TEST(JpegCodec, ExifOrientationStandsThePictureUpright) {
    struct TCase {
        int Orientation;
        std::vector<std::vector<TRgb>> Upright; // block rows as displayed
    };
    const TCase cases[] = {
        {1, {{kRed, kGreen, kBlue}, {kWhite, kBlack, kYellow}}},
        {2, {{kBlue, kGreen, kRed}, {kYellow, kBlack, kWhite}}},
        {3, {{kYellow, kBlack, kWhite}, {kBlue, kGreen, kRed}}},
        {4, {{kWhite, kBlack, kYellow}, {kRed, kGreen, kBlue}}},
        {5, {{kRed, kWhite}, {kGreen, kBlack}, {kBlue, kYellow}}},
        {6, {{kWhite, kRed}, {kBlack, kGreen}, {kYellow, kBlue}}},
        {7, {{kYellow, kBlue}, {kBlack, kGreen}, {kWhite, kRed}}},
        {8, {{kBlue, kYellow}, {kGreen, kBlack}, {kRed, kWhite}}},
    };
    TBytes plain = Blocks();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Orientation);
        TBytes data = WithExifOrientation(plain, c.Orientation);
        TJpegInfo info = ReadJpegInfo(data);
        EXPECT_EQ(info.Orientation, c.Orientation);
        int columns = static_cast<int>(c.Upright[0].size());
        int rows = static_cast<int>(c.Upright.size());
        ASSERT_EQ(info.Width, 8 * columns);
        ASSERT_EQ(info.Height, 8 * rows);
        TImage full = Decode(data, info, info.Width, info.Height);
        for (int by = 0; by < rows; ++by)
            for (int bx = 0; bx < columns; ++bx)
                for (auto [dx, dy] : {std::pair{1, 1}, std::pair{6, 2}, std::pair{3, 6}})
                    EXPECT_TRUE(Near(full.At(8 * bx + dx, 8 * by + dy), c.Upright[by][bx]))
                        << "block " << bx << "," << by;
        // A sampled decode of the upright picture agrees with the full one.
        for (auto [w, h] : {std::pair{5, 7}, std::pair{40, 13}, std::pair{3, 2}})
            EXPECT_EQ(Decode(data, info, w, h).Pixels, Nearest(full, w, h).Pixels);
    }
}

TEST(JpegCodec, OrientedDecodeOfDetailedPhotoMatchesTransformedStored) {
    TBytes plain = Photo(45, 29, TSubsampling::s420);
    TImage stored = DecodeFull(plain);
    int W = stored.Width, H = stored.Height;
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        TBytes data = WithExifOrientation(plain, o);
        TImage upright = DecodeFull(data);
        for (int y = 0; y < upright.Height; ++y) {
            for (int x = 0; x < upright.Width; ++x) {
                int u = 0, v = 0;
                switch (o) {
                case 1:
                    u = x, v = y;
                    break;
                case 2:
                    u = W - 1 - x, v = y;
                    break;
                case 3:
                    u = W - 1 - x, v = H - 1 - y;
                    break;
                case 4:
                    u = x, v = H - 1 - y;
                    break;
                case 5:
                    u = y, v = x;
                    break;
                case 6:
                    u = y, v = H - 1 - x;
                    break;
                case 7:
                    u = W - 1 - y, v = H - 1 - x;
                    break;
                case 8:
                    u = W - 1 - y, v = x;
                    break;
                }
                ASSERT_EQ(upright.At(x, y), stored.At(u, v)) << x << "," << y;
            }
        }
        TJpegInfo info = ReadJpegInfo(data);
        EXPECT_EQ(Decode(data, info, 11, 17).Pixels, Nearest(upright, 11, 17).Pixels);
    }
}

TEST(JpegCodec, GreyAndCmykFilesDecodeToColour) {
    TImage grey{16, 8, std::vector<TRgb>(128, TRgb{200, 100, 30})};
    TImage decoded = DecodeFull(EncodeImage(grey, {90, false, true}));
    for (TRgb p : decoded.Pixels) {
        EXPECT_EQ(p.R, p.G);
        EXPECT_EQ(p.G, p.B);
    }

    // libjpeg marks CMYK with an Adobe segment; the samples are stored inverted, as the
    // programs that write such files do: red is no cyan ink and full magenta and yellow.
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> line;
    for (int x = 0; x < 16; ++x) {
        bool red = x < 8;
        std::vector<std::uint8_t> cmyk = red ? std::vector<std::uint8_t>{255, 0, 0, 255}
                                             : std::vector<std::uint8_t>{255, 255, 255, 128};
        line.insert(line.end(), cmyk.begin(), cmyk.end());
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    TBytes data(output, output + size);
    std::free(output);
    TImage colour = DecodeFull(data);
    EXPECT_TRUE(std::abs(colour.At(3, 4).R - 255) <= 4 && colour.At(3, 4).G <= 4 &&
                colour.At(3, 4).B <= 4);
    EXPECT_TRUE(std::abs(colour.At(12, 4).R - 128) <= 4 && std::abs(colour.At(12, 4).G - 128) <= 4);
    EXPECT_EQ(Decode(data, ReadJpegInfo(data), 5, 3).Pixels, Nearest(colour, 5, 3).Pixels);
}

TEST(JpegCodec, HugeDeclaredProgressiveFileFailsInsteadOfExhaustingMemory) {
    // A small progressive file whose frame claims 60000 x 60000: decoding it would need a
    // 20 GB coefficient buffer.
    TBytes data = Photo(16, 16, TSubsampling::s420, true);
    std::size_t sof = 2;
    while (!(data[sof] == 0xFF && data[sof + 1] == 0xC2))
        sof += 2 + ((data[sof + 2] << 8) | data[sof + 3]);
    for (std::size_t at : {sof + 5, sof + 7}) {
        data[at] = 60000 >> 8;
        data[at + 1] = 60000 & 0xFF;
    }
    TJpegInfo info = ReadJpegInfo(data);
    ASSERT_EQ(info.Width, 60000);
    try {
        Decode(data, info, 120, 160);
        FAIL() << "no exception";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code(), JERR_NO_BACKING_STORE);
    }
}

TEST(JpegCodec, OrientationOutsideOneToEightIsIgnored) {
    TBytes data = WithExifOrientation(Blocks(), 9);
    TJpegInfo info = ReadJpegInfo(data);
    EXPECT_EQ(info.Orientation, 1);
    EXPECT_EQ(info.Width, 24);
}
