#include "platform/ui/Image.h"

#include "StockFixture.h"
#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/JpegImage.h"
#include "platform/graphics/Picture.h"
#include "platform/ui/Shape.h"

#include <memory>

namespace {

constexpr TColor PaleGreen = 0xE1FFE1;

// A bitmap whose pixel (x, y) has the colour Colors[y][x].
std::unique_ptr<TBitmap> MakeBitmap(std::initializer_list<std::initializer_list<TColor>> Rows) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(static_cast<int>(Rows.begin()->size()), static_cast<int>(Rows.size()));
    int y = 0;
    for (const auto& row : Rows) {
        int x = 0;
        for (TColor c : row)
            bitmap->SetPixel(x++, y, c);
        ++y;
    }
    return bitmap;
}

// A cell of the board: a pale green shape under a stretched image, 120 by 160 at (120, 0).
class ImageTest : public StockFixture {
protected:
    void SetUp() override {
        StockFixture::SetUp();
        Shape = Place<TShape>(120, 0, 120, 160);
        Shape->Brush()->SetColor(PaleGreen);
        Shape->Pen()->SetStyle(psClear);
        Image = Place<TImage>(120, 0, 120, 160);
        Image->SetStretch(true);
    }

    TShape* Shape = nullptr;
    TImage* Image = nullptr;
};

TEST_F(ImageTest, StartsEmptyAndDrawsNothing) {
    EXPECT_EQ(Image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Shown(120, 0), PaleGreen);
    EXPECT_EQ(Shown(239, 0), clWhite);
}

TEST_F(ImageTest, OnePixelPictureFillsTheWholeCell) {
    auto pixel = MakeBitmap({{clRed}});
    Image->Picture()->SetGraphic(pixel.get());
    for (TPoint p :
         {Point(120, 0), Point(239, 0), Point(120, 159), Point(239, 159), Point(180, 80)})
        EXPECT_EQ(Shown(p.X, p.Y), clRed) << p.X << ", " << p.Y;
    EXPECT_EQ(Shown(119, 0), clWhite);
    EXPECT_EQ(Shown(240, 0), clWhite);
}

TEST_F(ImageTest, LargerPictureIsScaledByNearestNeighbour) {
    // 3 by 2 to 120 by 160: columns 0-39, 40-79, 80-119 and rows 0-79, 80-159.
    auto picture = MakeBitmap({{clRed, clLime, clBlue}, {clYellow, clAqua, clFuchsia}});
    Image->Picture()->SetGraphic(picture.get());
    struct {
        int X, Y;
        TColor Color;
    } cases[] = {
        {0, 0, clRed},    {39, 79, clRed},   {40, 0, clLime},     {79, 79, clLime},
        {80, 0, clBlue},  {119, 79, clBlue}, {0, 80, clYellow},   {39, 159, clYellow},
        {40, 80, clAqua}, {79, 159, clAqua}, {80, 80, clFuchsia}, {119, 159, clFuchsia},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(120 + c.X, c.Y), c.Color) << c.X << ", " << c.Y;
}

TEST_F(ImageTest, EmptyingThePictureShowsTheShapeAgain) {
    auto picture = MakeBitmap({{clRed}});
    Image->Picture()->SetGraphic(picture.get());
    EXPECT_EQ(Shown(150, 50), clRed);
    Image->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(Shown(150, 50), PaleGreen);
    EXPECT_EQ(Shown(239, 50), clWhite);
}

TEST_F(ImageTest, UnstretchedPictureKeepsItsSizeAndCentres) {
    Image->SetStretch(false);
    auto picture = MakeBitmap({{clRed, clBlue}, {clLime, clYellow}});
    Image->Picture()->SetGraphic(picture.get());
    EXPECT_EQ(Shown(120, 0), clRed);
    EXPECT_EQ(Shown(121, 1), clYellow);
    EXPECT_EQ(Shown(122, 0), PaleGreen);
    EXPECT_EQ(Shown(120, 2), PaleGreen);
    Image->SetCenter(true);
    EXPECT_EQ(Image->DestRect(), Rect(59, 79, 61, 81));
    EXPECT_EQ(Shown(120, 0), PaleGreen);
    EXPECT_EQ(Shown(120 + 59, 79), clRed);
    EXPECT_EQ(Shown(120 + 60, 80), clYellow);
}

TEST_F(ImageTest, ProportionalFitsThePictureAndKeepsItsShape) {
    auto picture = MakeBitmap({{clRed, clRed, clRed, clRed}, {clRed, clRed, clRed, clRed}});
    Image->Picture()->SetGraphic(picture.get());
    Image->SetProportional(true);
    EXPECT_EQ(Image->DestRect(), Rect(0, 0, 120, 60));
    Image->SetCenter(true);
    EXPECT_EQ(Image->DestRect(), Rect(0, 50, 120, 110));
    EXPECT_EQ(Shown(180, 49), PaleGreen);
    EXPECT_EQ(Shown(180, 50), clRed);
    EXPECT_EQ(Shown(180, 110), PaleGreen);
}

TEST_F(ImageTest, TransparentLeavesOutTheBottomLeftColour) {
    auto picture = MakeBitmap({{clBlue, clRed}, {clRed, clBlue}});
    Image->Picture()->SetGraphic(picture.get());
    EXPECT_EQ(Shown(120, 159), clRed);
    Image->SetTransparent(true);
    EXPECT_TRUE(Image->Picture()->Graphic()->Transparent());
    EXPECT_EQ(Shown(120, 158), PaleGreen) << "red, the bottom-left colour, is left out";
    EXPECT_EQ(Shown(239, 159), clBlue);
    EXPECT_EQ(Shown(239, 0), clWhite) << "the shape's seam shows through";
}

TEST_F(ImageTest, AutoSizeTakesThePicturesSize) {
    Image->SetStretch(false);
    Image->SetAutoSize(true);
    auto picture = MakeBitmap({{clRed, clRed, clRed}});
    Image->Picture()->SetGraphic(picture.get());
    EXPECT_EQ(Image->BoundsRect(), Bounds(120, 0, 3, 1));
}

TEST_F(ImageTest, CanvasOfAnEmptyImageCreatesABitmapOfItsOwnSizeOnce) {
    // The hidden snapshot image of the board: never shown, larger than the window.
    auto* image0 = Place<TImage>(400, 0, 480, 320);
    image0->SetVisible(false);
    TCanvas* canvas = image0->Canvas();
    auto* bitmap = dynamic_cast<TBitmap*>(image0->Picture()->Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 480);
    EXPECT_EQ(bitmap->Height(), 320);
    EXPECT_EQ(canvas, bitmap->Canvas()) << "a canvas on the bitmap, not on the form";

    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(0, 0, 480, 320));
    EXPECT_EQ(image0->Canvas(), canvas);
    EXPECT_EQ(image0->Picture()->Graphic(), bitmap) << "the same bitmap stays the picture";
    EXPECT_EQ(bitmap->GetPixel(479, 319), clRed);
    EXPECT_EQ(Shown(400, 0), clWhite) << "the form is not drawn on";
}

TEST_F(ImageTest, CanvasNeedsABitmap) {
    TJPEGImage jpeg;
    auto picture = MakeBitmap({{clRed}});
    jpeg.Assign(picture.get());
    Image->Picture()->SetGraphic(&jpeg);
    EXPECT_THROW(Image->Canvas(), EInvalidOperation);
}

TEST_F(ImageTest, DrawingOnThePictureRepaints) {
    Image->Canvas()->Brush()->SetColor(clBlue);
    Image->Canvas()->FillRect(Rect(0, 0, 120, 160));
    EXPECT_EQ(Shown(150, 50), clBlue);
}

TEST_F(ImageTest, DoubleClickFiresOnDblClickAndMovesTheirHandler) {
    int doubleClicks = 0;
    int moves = 0;
    Image->SetOnDblClick([&](TObject* Sender) {
        EXPECT_EQ(Sender, Image);
        ++doubleClicks;
    });
    Image->SetOnMouseMove([&](TObject*, TShiftState, int, int) { ++moves; });
    Host.MouseMove(Window(), 150, 50);
    EXPECT_GE(moves, 1);
    Host.DoubleClick(Window(), 150, 50);
    EXPECT_EQ(doubleClicks, 1);
}

} // namespace
