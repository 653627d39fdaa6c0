#include "platform/graphics/JpegImage.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "support/JpegFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <jpeglib.h>

#include <jerror.h>

namespace {

TBytes Photo(int Width, int Height, TSubsampling Subsampling = TSubsampling::s420) {
    TJpegFixture fixture;
    fixture.Width = Width;
    fixture.Height = Height;
    fixture.Subsampling = Subsampling;
    fixture.Pixel = [=](int x, int y) {
        return PhotoPixel(x, y, Width, Height);
    };
    return MakeJpeg(fixture);
}

int Centre(int I, int Size, int DestSize) {
    return static_cast<int>((2LL * I + 1) * Size / (2LL * DestSize));
}

TColor Rgb(int R, int G, int B) {
    return static_cast<TColor>((R & 0xFF) | (G & 0xFF) << 8 | (B & 0xFF) << 16);
}

// A bitmap of the given format with a pattern in every pixel.
std::unique_ptr<TBitmap> Pattern(int Width, int Height, TPixelFormat Format) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            bitmap->SetPixel(x, y,
                             Format == pf1bit ? ((x / 4 + y / 4) % 2 ? clWhite : clBlack)
                                              : Rgb(x * 9, y * 11, 90 + x - y));
    return bitmap;
}

class TTempDir {
public:
    TTempDir() {
        char name[] = "/tmp/jpegimage-XXXXXX";
        FPath = mkdtemp(name);
    }
    ~TTempDir() { std::system(("rm -rf '" + FPath + "'").c_str()); }
    AnsiString Path(const char* Name) const { return FPath + "/" + Name; }

private:
    AnsiString FPath;
};

TBytes ReadAll(const AnsiString& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(JpegImage, LoadKeepsBytesAndReadsSize) {
    TBytes data = Photo(50, 30);
    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_EQ(jpeg.ClassName(), "TJPEGImage");
    EXPECT_EQ(jpeg.CompressionQuality(), 90);
    EXPECT_FALSE(jpeg.ProgressiveEncoding());
    EXPECT_FALSE(jpeg.Grayscale());
    int changes = 0;
    jpeg.SetOnChange([&](TObject*) { ++changes; });
    jpeg.LoadFromBytes(data);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(jpeg.Empty());
    EXPECT_EQ(jpeg.Width(), 50);
    EXPECT_EQ(jpeg.Height(), 30);
    // Unchanged data is saved as it came, even with another quality.
    jpeg.SetCompressionQuality(80);
    EXPECT_EQ(jpeg.SaveToBytes(), data);
}

TEST(JpegImage, BrokenDataFailsAndKeepsThePicture) {
    TBytes good = Photo(20, 10);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(good);
    int changes = 0;
    jpeg.SetOnChange([&](TObject*) { ++changes; });
    try {
        jpeg.LoadFromBytes(TBytes(good.begin(), good.begin() + good.size() - 40));
        FAIL() << "no exception";
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Code(), JWRN_JPEG_EOF);
        EXPECT_EQ(e.Message(), "JPEG エラー #" + std::to_string(JWRN_JPEG_EOF));
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(jpeg.Width(), 20);
    EXPECT_EQ(jpeg.SaveToBytes(), good);
}

TEST(JpegImage, DrawEqualsFullBitmapScaled) {
    TBytes data = WithExifOrientation(Photo(70, 45), 6);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(data);
    ASSERT_EQ(jpeg.Width(), 45);
    ASSERT_EQ(jpeg.Height(), 70);
    TJPEGImage reference;
    reference.LoadFromBytes(data);
    const TBitmap* full = reference.Bitmap();
    ASSERT_EQ(full->Width(), 45);
    ASSERT_EQ(full->Height(), 70);
    EXPECT_EQ(full->PixelFormat(), pf24bit);

    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(200, 200);
    for (TRect r :
         {Rect(3, 5, 123, 165), Rect(10, 20, 30, 27), Rect(0, 0, 130, 190), Rect(3, 5, 123, 165)}) {
        target.Canvas()->Brush()->SetColor(clFuchsia);
        target.Canvas()->FillRect(Rect(0, 0, 200, 200));
        jpeg.Draw(target.Canvas(), r);
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                TColor expected = clFuchsia;
                if (PtInRect(r, Point(x, y)))
                    expected = full->GetPixel(Centre(x - r.Left, 45, r.Width()),
                                              Centre(y - r.Top, 70, r.Height()));
                ASSERT_EQ(target.GetPixel(x, y), expected) << x << "," << y;
            }
        }
    }
    // Once the full picture is decoded, drawing scales it on the canvas: the same pixels.
    TBitmap sampled;
    sampled.Assign(&target);
    jpeg.Bitmap();
    jpeg.Draw(target.Canvas(), Rect(3, 5, 123, 165));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(target.GetPixel(x, y), sampled.GetPixel(x, y)) << x << "," << y;
}

TEST(JpegImage, AssignedBitmapIsCompressedWithTheSettings) {
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit, pfDevice}) {
        SCOPED_TRACE(static_cast<int>(format));
        auto bitmap = Pattern(33, 21, format);
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(Photo(8, 8));
        int changes = 0;
        jpeg.SetOnChange([&](TObject*) { ++changes; });
        jpeg.Assign(bitmap.get());
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(jpeg.Width(), 33);
        EXPECT_EQ(jpeg.Height(), 21);
        jpeg.SetCompressionQuality(80);
        TBytes saved = jpeg.SaveToBytes();
        TBytes expected =
            EncodeJpeg(33, 21, TJpegInput::Rgb,
                       [&](int row, std::uint8_t* rgb) {
                           for (int x = 0; x < 33; ++x) {
                               TColor c = bitmap->GetPixel(x, row);
                               rgb[3 * x] = static_cast<std::uint8_t>(c & 0xFF);
                               rgb[3 * x + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
                               rgb[3 * x + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
                           }
                           return rgb;
                       },
                       {80, false, false});
        EXPECT_EQ(saved, expected);
        // The copy is the image's own: changing the source afterwards changes nothing.
        bitmap->SetPixel(0, 0, clRed);
        EXPECT_EQ(jpeg.SaveToBytes(), expected);
    }
}

TEST(JpegImage, BitmapAssignTakesTheDecodedPicture) {
    TBytes data = WithExifOrientation(Photo(40, 24), 8);
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(data);
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    ASSERT_EQ(bitmap.Width(), 24);
    ASSERT_EQ(bitmap.Height(), 40);
    const TBitmap* full = jpeg.Bitmap();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), full->GetPixel(x, y));
}

TEST(JpegImage, AssignCopiesAnotherJpegAndRefusesOtherClasses) {
    TBytes data = Photo(16, 12);
    TJPEGImage source;
    source.LoadFromBytes(data);
    source.SetCompressionQuality(55);
    source.SetGrayscale(true);
    TJPEGImage copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.SaveToBytes(), data);
    EXPECT_EQ(copy.CompressionQuality(), 55);
    EXPECT_TRUE(copy.Grayscale());

    TCanvas canvas;
    try {
        copy.Assign(&canvas);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "TCanvas を TJPEGImage に代入することはできません");
    }
    EXPECT_EQ(copy.SaveToBytes(), data);
}

TEST(JpegImage, EmptyImageDrawsNothingAndCannotBeSaved) {
    TJPEGImage jpeg;
    TBitmap target;
    target.SetSize(4, 4);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    jpeg.Draw(target.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target.GetPixel(2, 2), clLime);
    EXPECT_THROW(jpeg.SaveToBytes(), EJPEG);
    EXPECT_TRUE(jpeg.Bitmap()->Empty());
}

TEST(JpegImage, SavesAndLoadsFiles) {
    TTempDir dir;
    auto bitmap = Pattern(30, 20, pf24bit);
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    jpeg.SetCompressionQuality(80);
    AnsiString path = dir.Path("board.jpg");
    jpeg.SaveToFile(path);
    TBytes written = ReadAll(path);
    EXPECT_EQ(written, jpeg.SaveToBytes());
    TJPEGImage loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Width(), 30);
    EXPECT_EQ(loaded.SaveToBytes(), written);
    EXPECT_THROW(loaded.LoadFromFile(dir.Path("missing.jpg")), EFOpenError);
}
