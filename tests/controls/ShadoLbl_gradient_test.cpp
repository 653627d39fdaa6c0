#include "ShadoLblTest.h"

#include <memory>
#include <vector>

namespace {

std::vector<int> Channels(int start, int end, int n) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i)
        v.push_back(GradientChannel(start, end - start, i, n));
    return v;
}

TEST(GradientChannel, TruncatesTheExtendedPrecisionProduct) {
    EXPECT_EQ(Channels(0, 255, 4), (std::vector<int>{0, 84, 169, 255}));
    EXPECT_EQ(Channels(255, 0, 6), (std::vector<int>{255, 203, 152, 102, 50, 0}));
    EXPECT_EQ(Channels(0, 128, 3), (std::vector<int>{0, 64, 128}));
    EXPECT_EQ(Channels(77, 200, 1), (std::vector<int>{77}));
}

// On this machine long double is the 64-bit-significand format the rule is defined in; the
// integer emulation must agree with it everywhere, including the ends.
TEST(GradientChannel, AgreesWithExtendedPrecisionOverASweep) {
    static_assert(LDBL_MANT_DIG == 64);
    const int starts[] = {0, 1, 17, 100, 128, 254, 255};
    const int ends[] = {0, 3, 99, 127, 200, 255};
    const int counts[] = {2, 3, 4, 6, 7, 10, 45, 100, 119, 255, 256, 480, 1000, 4097};
    for (int start : starts)
        for (int end : ends)
            for (int n : counts)
                for (int i = 0; i < n; ++i) {
                    double t = static_cast<double>(i) / static_cast<double>(n - 1);
                    long double v =
                        static_cast<long double>(start) +
                        static_cast<long double>(end - start) * static_cast<long double>(t);
                    ASSERT_EQ(GradientChannel(start, end - start, i, n), static_cast<int>(v))
                        << start << " to " << end << " at " << i << " of " << n;
                }
}

} // namespace

namespace {

std::unique_ptr<TBitmap> Bitmap24(int Width, int Height, TColor Fill = 0x123456) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Width, Height);
    bitmap->Canvas()->Brush()->SetColor(Fill);
    bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return bitmap;
}

std::vector<int> Reds(const TBitmap& Bitmap, bool Down) {
    std::vector<int> reds;
    for (int i = 0; i < (Down ? Bitmap.Height() : Bitmap.Width()); ++i)
        reds.push_back(GetRValue(Down ? Bitmap.GetPixel(0, i) : Bitmap.GetPixel(i, 0)));
    return reds;
}

// Every pixel is the colour of its row (Vertical) or column at position i of n.
void ExpectGradient(const TBitmap& Bitmap, TColor First, TColor Second, bool Vertical) {
    const int w = Bitmap.Width(), h = Bitmap.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor want =
                Vertical ? ExtendedColor(First, Second, y, h) : ExtendedColor(First, Second, x, w);
            ASSERT_EQ(Bitmap.GetPixel(x, y), want) << "at " << x << "," << y;
        }
}

TEST(GradBitmap, VerticalBlackToRedOverFourRows) {
    auto bitmap = Bitmap24(3, 4);
    GradBitmap(bitmap.get(), clBlack, 0x0000FF, true);
    EXPECT_EQ(Reds(*bitmap, true), (std::vector<int>{0, 84, 169, 255}));
    ExpectGradient(*bitmap, clBlack, 0x0000FF, true);
}

TEST(GradBitmap, HorizontalBlackToRedOverFourColumns) {
    auto bitmap = Bitmap24(4, 3);
    GradBitmap(bitmap.get(), clBlack, 0x0000FF, false);
    EXPECT_EQ(Reds(*bitmap, false), (std::vector<int>{0, 84, 169, 255}));
    ExpectGradient(*bitmap, clBlack, 0x0000FF, false);
}

TEST(GradBitmap, EveryRowOrColumnIsOneColourOfTheRule) {
    struct TCase {
        int W, H;
        TColor First, Second;
        bool Vertical;
    } cases[] = {{7, 5, 0x10E0FF, 0xF02001, true},   {7, 5, 0x10E0FF, 0xF02001, false},
                 {33, 6, 0xFF0000, 0x00FF7F, false}, {2, 45, 0x00FF7F, 0xFF0000, true},
                 {1, 9, 0x808080, 0x010203, true},   {9, 1, 0x808080, 0x010203, false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.W << "x" << c.H << (c.Vertical ? " down" : " across"));
        auto bitmap = Bitmap24(c.W, c.H);
        GradBitmap(bitmap.get(), c.First, c.Second, c.Vertical);
        ExpectGradient(*bitmap, c.First, c.Second, c.Vertical);
    }
}

TEST(GradBitmap, OnePositionIsTheFirstColourAlone) {
    for (bool vertical : {false, true}) {
        // A width of 1 across, a height of 1 down: a single position.
        auto bitmap = vertical ? Bitmap24(5, 1) : Bitmap24(1, 5);
        GradBitmap(bitmap.get(), 0x4080C0, 0xFFFFFF, vertical);
        for (int y = 0; y < bitmap->Height(); ++y)
            for (int x = 0; x < bitmap->Width(); ++x)
                EXPECT_EQ(bitmap->GetPixel(x, y), 0x4080C0u) << vertical << " " << x << "," << y;
    }
}

TEST(GradBitmap, ABitmapWithoutPixelsIsLeftAlone) {
    for (bool vertical : {false, true}) {
        auto none = Bitmap24(0, 0);
        GradBitmap(none.get(), clBlack, clWhite, vertical);
        EXPECT_TRUE(none->Empty());
    }
}

TEST(GradBitmap, SystemColoursAreResolvedWhenPainting) {
    auto bitmap = Bitmap24(4, 2);
    SetSysColor(COLOR_BTNFACE, 0x00FF00);
    GradBitmap(bitmap.get(), clBlack, clBtnFace, false);
    EXPECT_EQ(bitmap->GetPixel(3, 1), 0x00FF00u);
    EXPECT_EQ(bitmap->GetPixel(1, 0), 0x005400u);
    SetSysColor(COLOR_BTNFACE, 0xFF0000);
    GradBitmap(bitmap.get(), clBlack, clBtnFace, false);
    EXPECT_EQ(bitmap->GetPixel(3, 1), 0xFF0000u);
    EXPECT_EQ(bitmap->GetPixel(1, 0), 0x540000u);
    ResetSysColors();
}

TEST(GetRGB, SplitsAndResolvesSystemColours) {
    std::uint8_t r = 0, g = 0, b = 0;
    GetRGB(0x00336699, r, g, b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({0x99, 0x66, 0x33}));
    SetSysColor(COLOR_BTNSHADOW, 0x0010203F);
    GetRGB(clBtnShadow, r, g, b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({0x3F, 0x20, 0x10}));
    ResetSysColors();
}

// A canvas on a 120 by 60 bitmap of one colour; the gradient goes into (10, 5)-(110, 50).
struct TCanvasFixture {
    std::unique_ptr<TBitmap> Bitmap = Bitmap24(120, 60, 0x5A5A5A);
    TRect Area = Rect(10, 5, 110, 50);

    void ExpectOutsideUntouched() const {
        for (int y = 0; y < Bitmap->Height(); ++y)
            for (int x = 0; x < Bitmap->Width(); ++x)
                if (!PtInRect(Area, Point(x, y))) {
                    ASSERT_EQ(Bitmap->GetPixel(x, y), 0x5A5A5Au) << x << "," << y;
                }
    }
};

TEST(GradRect, HorizontalFillsAllRowsWithTheColumnColours) {
    TCanvasFixture f;
    TCanvas* canvas = f.Bitmap->Canvas();
    canvas->SetCopyMode(cmSrcInvert);
    GradRect(canvas, f.Area, 0x0000FF, 0xFF8000, false);
    EXPECT_EQ(canvas->CopyMode(), cmSrcCopy);
    for (int y = f.Area.Top; y < f.Area.Bottom; ++y)
        for (int x = f.Area.Left; x < f.Area.Right; ++x)
            ASSERT_EQ(f.Bitmap->GetPixel(x, y), ExtendedColor(0x0000FF, 0xFF8000, x - 10, 100))
                << x << "," << y;
    f.ExpectOutsideUntouched();
}

TEST(GradRect, VerticalGivesEveryRowItsOwnStep) {
    TCanvasFixture f;
    TCanvas* canvas = f.Bitmap->Canvas();
    GradRect(canvas, f.Area, 0x0000FF, 0xFF8000, true);
    for (int y = f.Area.Top; y < f.Area.Bottom; ++y)
        for (int x = f.Area.Left; x < f.Area.Right; ++x)
            ASSERT_EQ(f.Bitmap->GetPixel(x, y), ExtendedColor(0x0000FF, 0xFF8000, y - 5, 45))
                << x << "," << y;
    f.ExpectOutsideUntouched();
}

TEST(GradRect, AnEmptyRectanglePaintsNothing) {
    const TRect empties[] = {Rect(10, 10, 10, 30), Rect(10, 10, 50, 10), Rect(50, 30, 10, 10),
                             Rect(10, 30, 50, 10), Rect(50, 10, 10, 30), Rect(10, 30, 50, 25)};
    for (const TRect& r : empties)
        for (bool vertical : {false, true}) {
            TCanvasFixture f;
            f.Area = Rect(0, 0, 0, 0);
            f.Bitmap->Canvas()->SetCopyMode(cmSrcInvert);
            GradRect(f.Bitmap->Canvas(), r, clBlack, clWhite, vertical);
            EXPECT_EQ(f.Bitmap->Canvas()->CopyMode(), cmSrcCopy);
            SCOPED_TRACE(::testing::Message() << r.Left << "," << r.Top << "," << r.Right << ","
                                              << r.Bottom << (vertical ? " down" : " across"));
            f.ExpectOutsideUntouched();
        }
}

} // namespace
