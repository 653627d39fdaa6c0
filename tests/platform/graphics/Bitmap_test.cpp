#include "platform/graphics/Bitmap.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <functional>

using Rows = std::vector<std::string>;

namespace {

// Counts the bitmap's change notifications.
struct TChangeCounter {
    explicit TChangeCounter(TBitmap& Bitmap) {
        Bitmap.SetOnChange([this](TObject*) { ++Count; });
    }
    int Count = 0;
};

} // namespace

TEST(Bitmap, RowLayoutsArePaddedToFourBytes) {
    struct Case {
        TPixelFormat format;
        int width;
        int stride;
    };
    for (Case c :
         {Case{pf1bit, 33, 8}, Case{pf24bit, 5, 16}, Case{pf32bit, 3, 12}, Case{pfDevice, 1, 4}}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(c.format);
        bitmap.SetSize(c.width, 2);
        EXPECT_EQ(bitmap.BytesPerLine(), c.stride) << int(c.format);
        EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), c.stride);
    }
    auto bitmap = MakeBitmap({"rgb"}, pf32bit);
    const std::uint8_t* row = bitmap->ScanLine(0);
    EXPECT_EQ((std::vector<int>(row, row + 12)),
              (std::vector<int>{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}));
    auto mono = MakeBitmap({".#..#..#."}, pf1bit);
    EXPECT_EQ(mono->ScanLine(0)[0], 0b10110110);
    EXPECT_EQ(mono->ScanLine(0)[1] & 0x80, 0x80);
}

TEST(Bitmap, ConversionsBetweenEveryPairOfFormats) {
    const Rows picture{"#.rg", "bysk"};
    // What each colour becomes on the way through a monochrome bitmap: grey level 128 or more
    // is white.
    const Rows throughMono{"#.#.", "#..."};
    const TPixelFormat formats[] = {pf1bit, pf24bit, pf32bit, pfDevice};
    for (TPixelFormat from : formats) {
        for (TPixelFormat to : formats) {
            auto bitmap = MakeBitmap(picture, from);
            bitmap->SetPixelFormat(to);
            EXPECT_EQ(bitmap->PixelFormat(), to);
            bool lossy = from == pf1bit || to == pf1bit;
            EXPECT_EQ(Picture(*bitmap), lossy ? throughMono : picture)
                << int(from) << " -> " << int(to);
        }
    }
}

TEST(Bitmap, MonochromeConvertsBothWays) {
    auto bitmap = MakeBitmap({"#y", "b."});
    bitmap->SetMonochrome(true);
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(bitmap->PixelFormat(), pf1bit);
    bitmap->SetMonochrome(false);
    EXPECT_EQ(bitmap->PixelFormat(), pfDevice);
    EXPECT_EQ(Picture(*bitmap), (Rows{"#.", "#."}));
}

TEST(Bitmap, ChangeNotifications) {
    struct Case {
        const char* name;
        std::function<void(TBitmap&)> change;
        int notifications;
    };
    auto other = MakeBitmap({"rg"}, pf1bit);
    const Case cases[] = {
        {"format to another", [](TBitmap& b) { b.SetPixelFormat(pf32bit); }, 1},
        {"format unchanged", [](TBitmap& b) { b.SetPixelFormat(pf24bit); }, 0},
        {"size changed", [](TBitmap& b) { b.SetSize(3, 3); }, 1},
        {"size unchanged", [](TBitmap& b) { b.SetSize(2, 2); }, 0},
        {"width changed", [](TBitmap& b) { b.SetWidth(5); }, 1},
        {"width unchanged", [](TBitmap& b) { b.SetWidth(2); }, 0},
        {"height changed", [](TBitmap& b) { b.SetHeight(0); }, 1},
        {"height unchanged", [](TBitmap& b) { b.SetHeight(2); }, 0},
        {"handle type changed", [](TBitmap& b) { b.SetHandleType(bmDDB); }, 1},
        {"handle type unchanged", [](TBitmap& b) { b.SetHandleType(bmDIB); }, 0},
        {"monochrome on", [](TBitmap& b) { b.SetMonochrome(true); }, 1},
        {"monochrome off when colour", [](TBitmap& b) { b.SetMonochrome(false); }, 0},
        {"assign", [&](TBitmap& b) { b.Assign(other.get()); }, 1},
        {"assign nothing", [](TBitmap& b) { b.Assign(nullptr); }, 1},
        {"transparent", [](TBitmap& b) { b.SetTransparent(true); }, 1},
        {"transparent unchanged", [](TBitmap& b) { b.SetTransparent(false); }, 0},
        {"transparent colour", [](TBitmap& b) { b.SetTransparentColor(clRed); }, 1},
        {"transparent colour unchanged", [](TBitmap& b) { b.SetTransparentColor(clDefault); }, 0},
        {"rows written", [](TBitmap& b) { b.ScanLine(0)[0] = 7; }, 0},
        {"pixel set", [](TBitmap& b) { b.SetPixel(0, 0, clRed); }, 0},
        {"free image", [](TBitmap& b) { b.FreeImage(); }, 0},
        {"canvas drawing", [](TBitmap& b) { b.Canvas()->FillRect(Rect(0, 0, 1, 1)); }, 1},
        {"loaded", [&](TBitmap& b) { b.LoadFromBytes(other->SaveToBytes()); }, 1},
    };
    for (const Case& c : cases) {
        auto bitmap = MakeBitmap({"rg", "by"});
        TChangeCounter counter(*bitmap);
        c.change(*bitmap);
        EXPECT_EQ(counter.Count, c.notifications) << c.name;
    }
}

TEST(Bitmap, DeviceToThirtyTwoBitsNotifiesThoughThePixelsStay) {
    auto device = MakeBitmap({"rg", "by"}, pfDevice);
    TChangeCounter counter(*device);
    device->SetPixelFormat(pf32bit);
    EXPECT_EQ(counter.Count, 1);
    EXPECT_EQ(Picture(*device), (Rows{"rg", "by"}));
}

TEST(Bitmap, AHandlerThatConvertsEndsAfterOneNestedLevel) {
    // A handler that keeps the bitmap 32-bit DIB, as a button keeps its glyph: the nested
    // notification finds nothing left to convert, so the nesting ends after one level.
    auto bitmap = MakeBitmap({"rg", "by"}, pfDevice);
    int calls = 0;
    bitmap->SetOnChange([&](TObject*) {
        ++calls;
        bitmap->SetHandleType(bmDIB);
        bitmap->SetPixelFormat(pf32bit);
    });
    auto source = MakeBitmap({"r#"}, pf24bit);
    source->SetHandleType(bmDDB);
    bitmap->Assign(source.get());
    EXPECT_EQ(calls, 3); // the assignment, then the handle type, then the format
    EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap->HandleType(), bmDIB);
    EXPECT_EQ(Picture(*bitmap), (Rows{"r#"}));
}

TEST(Bitmap, AssignIsADeepCopy) {
    auto source = MakeBitmap({"rg", "by"}, pf32bit);
    source->SetHandleType(bmDDB);
    source->SetTransparent(true);
    source->SetTransparentColor(clLime);
    TBitmap copy;
    copy.Assign(source.get());
    copy.ScanLine(0)[0] = 0x12;
    copy.SetPixel(1, 1, clBlack);
    EXPECT_EQ(Picture(*source), (Rows{"rg", "by"}));
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.HandleType(), bmDDB);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clLime);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    TCanvas canvas;
    EXPECT_THROW(copy.Assign(&canvas), EConvertError);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel) {
    auto bitmap = MakeBitmap({"rg", "by"});
    EXPECT_EQ(bitmap->TransparentColor(), clBlue);
    bitmap->SetPixel(0, 1, clYellow);
    EXPECT_EQ(bitmap->TransparentColor(), clYellow);
    bitmap->SetTransparentColor(clRed);
    EXPECT_EQ(bitmap->TransparentColor(), clRed);
    bitmap->SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap->TransparentColor(), clYellow);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(Bitmap, ResizingKeepsThePixelsInsideAndMakesNewOnesWhite) {
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
        auto bitmap = MakeBitmap({"#.#", "..#"}, format);
        bitmap->SetSize(4, 3);
        EXPECT_EQ(Picture(*bitmap), (Rows{"#.#.", "..#.", "...."})) << int(format);
        bitmap->SetWidth(1);
        EXPECT_EQ(Picture(*bitmap), (Rows{"#", ".", "."}));
        bitmap->SetWidth(9); // the bits that were padding join the new area white
        EXPECT_EQ(Picture(*bitmap), (Rows{"#........", ".........", "........."}));
    }
}

TEST(Bitmap, PixelAccessOutsideIsHarmless) {
    auto bitmap = MakeBitmap({"rg"});
    EXPECT_EQ(bitmap->GetPixel(2, 0), clNone);
    EXPECT_EQ(bitmap->GetPixel(0, -1), clNone);
    bitmap->SetPixel(-1, 0, clBlack);
    EXPECT_EQ(Picture(*bitmap), (Rows{"rg"}));
    EXPECT_THROW(bitmap->ScanLine(1), EInvalidOperation);
    EXPECT_THROW(bitmap->ScanLine(-1), EInvalidOperation);
}

TEST(Bitmap, SizesAreCheckedBeforeAllocating) {
    TBitmap bitmap;
    EXPECT_THROW(bitmap.SetSize(1 << 30, 1 << 30), EOutOfResources);
    EXPECT_THROW(bitmap.SetSize(0x7FFFFFFF, 1), EOutOfResources);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(-5, 3);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, TakeImageMovesThePixelsAndKeepsTransparency) {
    TBitmap bitmap;
    bitmap.SetTransparent(true);
    TChangeCounter counter(bitmap);
    auto source = MakeBitmap({"rg"}, pf32bit);
    bitmap.TakeImage(*source);
    EXPECT_EQ(counter.Count, 1);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(Picture(bitmap), (Rows{"rg"}));
    EXPECT_TRUE(source->Empty());
}
