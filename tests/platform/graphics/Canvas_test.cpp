#include "platform/graphics/Canvas.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>

using Rows = std::vector<std::string>;

namespace {

TCanvas* Blank(std::unique_ptr<TBitmap>& Holder, int Width, int Height,
               TPixelFormat Format = pf24bit) {
    Holder = MakeFilled(Width, Height, clWhite, Format);
    return Holder->Canvas();
}

} // namespace

TEST(Canvas, FillRectIsHalfOpenInEveryPixelFormat) {
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit, pfDevice}) {
        std::unique_ptr<TBitmap> bitmap;
        TCanvas* canvas = Blank(bitmap, 5, 4, format);
        canvas->Brush()->SetColor(clBlack);
        canvas->FillRect(Rect(1, 1, 3, 3));
        EXPECT_EQ(Picture(*bitmap), (Rows{".....", ".##..", ".##..", "....."}))
            << "format " << int(format);
    }
}

TEST(Canvas, FillRectWithAClearBrushOrAnEmptyRectPaintsNothing) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 3, 2);
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(2, 0, 1, 2)); // right before left
    canvas->Brush()->SetStyle(bsClear);
    canvas->FillRect(Rect(0, 0, 3, 2));
    EXPECT_EQ(Picture(*bitmap), (Rows{"...", "..."}));
    // Setting a colour makes the clear brush solid again.
    canvas->Brush()->SetColor(clRed);
    EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    struct Case {
        const char* name;
        TPenStyle pen;
        TBrushStyle brush;
        Rows expected;
    };
    const Case cases[] = {
        {"pen and brush", psSolid, bsSolid, {"#####.", "#rrr#.", "#####.", "......"}},
        {"clear brush", psSolid, bsClear, {"#####.", "#...#.", "#####.", "......"}},
        // One pixel short on the right and bottom: a 5 by 3 shape fills 4 by 2.
        {"clear pen", psClear, bsSolid, {"rrrr..", "rrrr..", "......", "......"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TBitmap> bitmap;
        TCanvas* canvas = Blank(bitmap, 6, 4);
        canvas->Pen()->SetColor(clBlack);
        canvas->Pen()->SetStyle(c.pen);
        canvas->Brush()->SetColor(clRed);
        canvas->Brush()->SetStyle(c.brush);
        canvas->Rectangle(5, 3, 0, 0); // corners in any order
        EXPECT_EQ(Picture(*bitmap), c.expected) << c.name;
    }
}

TEST(Canvas, ClearPenRectangleOfACellFillsOnePixelLess) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 121, 161);
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetColor(clBlack);
    canvas->Rectangle(0, 0, 120, 160);
    EXPECT_EQ(bitmap->GetPixel(118, 158), clBlack);
    EXPECT_EQ(bitmap->GetPixel(119, 158), clWhite);
    EXPECT_EQ(bitmap->GetPixel(118, 159), clWhite);
}

TEST(Canvas, LineToStopsBeforeItsEndPoint) {
    struct Case {
        TPoint from, to;
        Rows expected;
    };
    const Case cases[] = {
        {{0, 1}, {4, 1}, {".....", "####.", ".....", ".....", "....."}},
        {{4, 1}, {0, 1}, {".....", ".####", ".....", ".....", "....."}},
        {{2, 0}, {2, 4}, {"..#..", "..#..", "..#..", "..#..", "....."}},
        {{2, 4}, {2, 0}, {".....", "..#..", "..#..", "..#..", "..#.."}},
        {{0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
        {{4, 0}, {0, 4}, {"....#", "...#.", "..#..", ".#...", "....."}},
        {{0, 0}, {4, 2}, {"##...", "..##.", ".....", ".....", "....."}},
        {{0, 0}, {1, 4}, {"#....", "#....", "#....", ".#...", "....."}},
        {{2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}},
    };
    for (TPixelFormat format : {pf1bit, pf24bit, pf32bit}) {
        for (const Case& c : cases) {
            std::unique_ptr<TBitmap> bitmap;
            TCanvas* canvas = Blank(bitmap, 5, 5, format);
            canvas->MoveTo(c.from.X, c.from.Y);
            canvas->LineTo(c.to.X, c.to.Y);
            EXPECT_EQ(Picture(*bitmap), c.expected)
                << "(" << c.from.X << "," << c.from.Y << ") to (" << c.to.X << "," << c.to.Y
                << "), format " << int(format);
            EXPECT_EQ(canvas->PenPos(), c.to);
        }
    }
}

TEST(Canvas, PenModesCombineWithTheTarget) {
    auto bitmap = MakeBitmap({"#r.b"});
    TCanvas* canvas = bitmap->Canvas();
    canvas->Pen()->SetColor(clWhite);
    canvas->Pen()->SetMode(pmXor);
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 0);
    EXPECT_EQ(Picture(*bitmap), (Rows{".c#y"}));
    canvas->MoveTo(0, 0);
    canvas->LineTo(4, 0); // a second xor restores the row
    EXPECT_EQ(Picture(*bitmap), (Rows{"#r.b"}));
    canvas->Pen()->SetMode(pmNot);
    canvas->MoveTo(0, 0);
    canvas->LineTo(2, 0);
    EXPECT_EQ(Picture(*bitmap), (Rows{".c.b"}));
}

TEST(Canvas, LinesAndShapesAreClippedAtTheBitmapEdges) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 3, 3);
    canvas->MoveTo(-1000000000, 1);
    canvas->LineTo(1000000000, 1);
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(Rect(-2000000000, 2, 2000000000, 2000000000));
    EXPECT_EQ(Picture(*bitmap), (Rows{"...", "###", "rrr"}));
}

TEST(Canvas, AClippedLinePaintsThePixelsOfTheWholeLine) {
    // The same lines on a large bitmap and, through an origin, on a small one that sees only
    // a window of it: clipping must not move a single pixel.
    struct Line {
        TPoint from, to;
    };
    const Line lines[] = {{{-50, -20}, {60, 35}},
                          {{60, 35}, {-50, -20}},
                          {{3, -40}, {9, 70}},
                          {{40, -7}, {-30, 12}},
                          {{-25, 25}, {25, -25}}};
    int painted = 0;
    for (const Line& line : lines) {
        std::unique_ptr<TBitmap> large;
        TCanvas* whole = Blank(large, 200, 200);
        whole->MoveOrigin(100, 100);
        whole->MoveTo(line.from.X, line.from.Y);
        whole->LineTo(line.to.X, line.to.Y);
        std::unique_ptr<TBitmap> small;
        TCanvas* window = Blank(small, 10, 10);
        window->MoveOrigin(-2, -3); // the window shows canvas (2, 3) to (12, 13)
        window->MoveTo(line.from.X, line.from.Y);
        window->LineTo(line.to.X, line.to.Y);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                ASSERT_EQ(small->GetPixel(x, y), large->GetPixel(x + 102, y + 103))
                    << "line (" << line.from.X << "," << line.from.Y << ") to (" << line.to.X << ","
                    << line.to.Y << ") at " << x << "," << y;
                painted += small->GetPixel(x, y) == clBlack;
            }
        }
    }
    EXPECT_GT(painted, 20);
}

TEST(Canvas, OriginAndClipLetAParentPaintAChild) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 6, 4);
    canvas->Brush()->SetColor(clRed);
    canvas->SaveState();
    canvas->MoveOrigin(2, 1);
    canvas->IntersectClip(Rect(0, 0, 3, 2));
    EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 3, 2));
    EXPECT_EQ(canvas->Origin(), Point(2, 1));
    canvas->FillRect(Rect(-10, -10, 10, 10));
    canvas->SaveState();
    canvas->MoveOrigin(1, 1);
    canvas->IntersectClip(Rect(-5, -5, 1, 1)); // narrows, never widens
    EXPECT_EQ(canvas->ClipRect(), Rect(-1, -1, 1, 1));
    canvas->SetPixels(0, 0, clBlack);
    canvas->SetPixels(1, 0, clBlack); // outside the clip
    EXPECT_EQ(canvas->Pixels(0, 0), clBlack);
    EXPECT_EQ(canvas->Pixels(1, 0), clNone);
    canvas->RestoreState();
    EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 3, 2));
    canvas->RestoreState();
    EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 6, 4));
    EXPECT_EQ(canvas->Origin(), Point(0, 0));
    EXPECT_EQ(Picture(*bitmap), (Rows{"......", "..rrr.", "..r#r.", "......"}));
}

TEST(Canvas, TheClipFollowsTheBitmapSize) {
    TBitmap bitmap;
    TCanvas* canvas = bitmap.Canvas();
    EXPECT_EQ(canvas->ClipRect(), TRect{});
    bitmap.SetSize(4, 3);
    EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 4, 3));
}

TEST(Canvas, CopyRectScalesByNearestNeighbour) {
    auto source = MakeBitmap({"rg", "by"});
    std::unique_ptr<TBitmap> dest;
    TCanvas* canvas = Blank(dest, 5, 5);
    canvas->CopyRect(Rect(0, 0, 4, 4), source->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*dest), (Rows{"rrgg.", "rrgg.", "bbyy.", "bbyy.", "....."}));

    // Shrinking samples the source pixel under each destination pixel's centre.
    auto strip = MakeBitmap({"rgbymc"});
    std::unique_ptr<TBitmap> small;
    Blank(small, 3, 1)->CopyRect(Rect(0, 0, 3, 1), strip->Canvas(), Rect(0, 0, 6, 1));
    EXPECT_EQ(Picture(*small), (Rows{"gyc"}));
}

TEST(Canvas, StretchSamplingIsExactIntegerArithmetic) {
    // Each source column has its own colour, so every destination pixel tells which column it
    // took. The rule is (2x + 1) * W / (2w), for shrinking and growing alike.
    for (int sourceWidth = 1; sourceWidth <= 40; ++sourceWidth) {
        TBitmap source;
        source.SetSize(sourceWidth, 1);
        for (int x = 0; x < sourceWidth; ++x)
            source.SetPixel(x, 0, static_cast<TColor>(x));
        for (int destWidth = 1; destWidth <= 40; ++destWidth) {
            TBitmap dest;
            dest.SetSize(destWidth, 1);
            dest.Canvas()->StretchDraw(Rect(0, 0, destWidth, 1), &source);
            for (int x = 0; x < destWidth; ++x) {
                ASSERT_EQ(dest.GetPixel(x, 0),
                          static_cast<TColor>((2 * x + 1) * sourceWidth / (2 * destWidth)))
                    << sourceWidth << " -> " << destWidth << " at " << x;
            }
        }
    }
}

TEST(Canvas, CopyRectDropsWhatFallsOutsideAndReadsNothingOutsideTheSource) {
    auto source = MakeBitmap({"rg", "by"});
    std::unique_ptr<TBitmap> dest;
    TCanvas* canvas = Blank(dest, 3, 3);
    // Destination hangs over the top-left edge: only the bottom-right quarter lands.
    canvas->CopyRect(Rect(-1, -1, 1, 1), source->Canvas(), Rect(0, 0, 2, 2));
    // Source rectangle reaches past the source's right and bottom: those pixels stay.
    canvas->CopyRect(Rect(1, 1, 3, 3), source->Canvas(), Rect(1, 1, 3, 3));
    EXPECT_EQ(Picture(*dest), (Rows{"y..", ".y.", "..."}));
}

TEST(Canvas, CopyRectWithinOneBitmapReadsTheOldPixels) {
    // A first column stretched over the whole bitmap, as a gradient fill does.
    auto bitmap = MakeBitmap({"r..", "g..", "b.."});
    TCanvas* canvas = bitmap->Canvas();
    canvas->CopyRect(Rect(0, 0, 3, 3), canvas, Rect(0, 0, 1, 3));
    EXPECT_EQ(Picture(*bitmap), (Rows{"rrr", "ggg", "bbb"}));
    // Overlapping shift to the right.
    auto row = MakeBitmap({"rgb."});
    row->Canvas()->CopyRect(Rect(1, 0, 4, 1), row->Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(Picture(*row), (Rows{"rrgb"}));
}

TEST(Canvas, CopyRectHonoursTheCopyModeAndTheSourceOrigin) {
    auto source = MakeBitmap({"#.", ".#"});
    auto dest = MakeBitmap({"rr", "rr"});
    TCanvas* canvas = dest->Canvas();
    canvas->SetCopyMode(cmSrcPaint); // source or destination
    canvas->CopyRect(Rect(0, 0, 2, 2), source->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(*dest), (Rows{"r.", ".r"}));

    auto wide = MakeBitmap({"rgby"});
    wide->Canvas()->MoveOrigin(-2, 0); // canvas (0, 0) is bitmap (-2, 0): (2, 0) is bitmap (0, 0)
    std::unique_ptr<TBitmap> out;
    Blank(out, 2, 1)->CopyRect(Rect(0, 0, 2, 1), wide->Canvas(), Rect(2, 0, 4, 1));
    EXPECT_EQ(Picture(*out), (Rows{"rg"}));
}

TEST(Canvas, DrawLeavesOutTheTransparentColour) {
    auto glyph = MakeBitmap({"m#m", "#m#", "mrr"});
    glyph->SetTransparent(true); // clDefault: the bottom-left pixel, magenta
    auto dest = MakeBitmap({"yyyy", "yyyy", "yyyy"});
    dest->Canvas()->Draw(1, 0, glyph.get());
    EXPECT_EQ(Picture(*dest), (Rows{"yy#y", "y#y#", "yyrr"}));

    glyph->SetTransparentColor(clRed);
    auto stretched = MakeBitmap({"yyyyyy", "yyyyyy", "yyyyyy"});
    stretched->Canvas()->StretchDraw(Rect(0, 0, 6, 3), glyph.get());
    EXPECT_EQ(Picture(*stretched), (Rows{"mm##mm", "##mm##", "mmyyyy"}));

    glyph->SetTransparent(false);
    auto opaque = MakeBitmap({"yyy", "yyy", "yyy"});
    opaque->Canvas()->Draw(0, 0, glyph.get());
    EXPECT_EQ(Picture(*opaque), Picture(*glyph));
}

TEST(Canvas, DrawGoesThroughTheOriginAndClip) {
    auto glyph = MakeBitmap({"rg", "by"});
    std::unique_ptr<TBitmap> dest;
    TCanvas* canvas = Blank(dest, 4, 3);
    canvas->MoveOrigin(1, 1);
    canvas->IntersectClip(Rect(0, 0, 1, 2));
    canvas->Draw(0, 0, glyph.get());
    EXPECT_EQ(Picture(*dest), (Rows{"....", ".r..", ".b.."}));
}

TEST(Canvas, MonochromeBitmapsDrawInBlackAndWhite) {
    auto mono = MakeBitmap({"#.", ".#"}, pf1bit);
    auto dest = MakeBitmap({"rr", "rr"});
    dest->Canvas()->Draw(0, 0, mono.get());
    EXPECT_EQ(Picture(*dest), (Rows{"#.", ".#"}));
}

TEST(Canvas, StencilBitBltPaintsTheBrushWhereBitsAreSet) {
    // An edge stencil: set (white) bits mark where the etched colour goes.
    auto stencil = MakeBitmap({".#.", "#.#"}, pf1bit);
    ASSERT_EQ(stencil->PixelFormat(), pf1bit);
    for (TPixelFormat format : {pf24bit, pf32bit, pf1bit}) {
        auto dest = MakeBitmap({"ggggg", "ggggg", "ggggg"}, format,
                               {{'g', format == pf1bit ? clBlack : clLime},
                                {'b', clBlue},
                                {'.', clWhite},
                                {'#', clBlack}});
        TCanvas* canvas = dest->Canvas();
        canvas->Brush()->SetColor(format == pf1bit ? clWhite : clBlue);
        SetTextColor(canvas->Handle(), clBlack);
        SetBkColor(canvas->Handle(), clWhite);
        ASSERT_TRUE(
            BitBlt(canvas->Handle(), 1, 1, 3, 2, stencil->Canvas()->Handle(), 0, 0, 0x00E20746));
        Rows expected =
            format == pf1bit ? Rows{"#####", "#.#.#", "##.##"} : Rows{"ggggg", "gbgbg", "ggbgg"};
        EXPECT_EQ(Picture(*dest, {{'g', clLime}, {'b', clBlue}, {'.', clWhite}, {'#', clBlack}}),
                  expected)
            << "format " << int(format);
    }
}

TEST(Canvas, MonochromeSourcesTakeTheTextAndBackgroundColours) {
    auto mono = MakeBitmap({"#.", ".#"}, pf1bit);
    auto dest = MakeBitmap({"..", ".."});
    HDC dc = dest->Canvas()->Handle();
    EXPECT_EQ(SetTextColor(dc, clRed), clBlack);
    EXPECT_EQ(SetBkColor(dc, clBlue), clWhite);
    BitBlt(dc, 0, 0, 2, 2, mono->Canvas()->Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(Picture(*dest), (Rows{"rb", "br"}));
}

TEST(Canvas, EveryRasterOperationFollowsItsTruthTable) {
    // Four destination pixels hold the four (source, destination) bit pairs; the brush gives
    // the pattern bit. Black is 0 and white 1 in every colour bit.
    auto source = MakeBitmap({"##.."});
    for (int code = 0; code < 256; ++code) {
        for (int p = 0; p < 2; ++p) {
            auto dest = MakeBitmap({"#.#."});
            TCanvas* canvas = dest->Canvas();
            canvas->Brush()->SetColor(p != 0 ? clWhite : clBlack);
            TCopyMode rop = static_cast<TCopyMode>(code) << 16;
            BitBlt(canvas->Handle(), 0, 0, 4, 1, source->Canvas()->Handle(), 0, 0, rop);
            for (int x = 0; x < 4; ++x) {
                int s = x >= 2 ? 1 : 0;
                int d = x % 2;
                int bit = (code >> ((p << 2) | (s << 1) | d)) & 1;
                ASSERT_EQ(dest->GetPixel(x, 0), bit != 0 ? clWhite : clBlack)
                    << "rop " << code << " p " << p << " s " << s << " d " << d;
            }
        }
    }
}

TEST(Canvas, StretchBltScalesAndMirrors) {
    auto source = MakeBitmap({"rgb"});
    std::unique_ptr<TBitmap> dest;
    TCanvas* canvas = Blank(dest, 6, 2);
    StretchBlt(canvas->Handle(), 0, 0, 6, 1, source->Canvas()->Handle(), 0, 0, 3, 1, SRCCOPY);
    // A negative width mirrors: the run goes leftwards from x = 6.
    StretchBlt(canvas->Handle(), 6, 1, -6, 1, source->Canvas()->Handle(), 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Picture(*dest), (Rows{"rrggbb", "bbggrr"}));
}

TEST(Canvas, RasterFunctionsWithoutASourceUseOnlyPatternAndDestination) {
    auto dest = MakeBitmap({"r.", "#b"});
    TCanvas* canvas = dest->Canvas();
    EXPECT_TRUE(BitBlt(canvas->Handle(), 0, 0, 2, 1, nullptr, 0, 0, cmDstInvert));
    canvas->Brush()->SetColor(clLime);
    EXPECT_TRUE(BitBlt(canvas->Handle(), 0, 1, 1, 1, nullptr, 0, 0, cmPatCopy));
    EXPECT_FALSE(BitBlt(canvas->Handle(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 2, 2, canvas->Handle(), 0, 0, SRCCOPY));
    EXPECT_EQ(Picture(*dest), (Rows{"c#", "gb"}));
}

TEST(Canvas, ColoursDrawnOnAMonochromeTargetBecomeBitsByGreyLevel) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 4, 1, pf1bit);
    const TColor colours[] = {clYellow, clBlue, clGray, 0x7F7F7F};
    for (int x = 0; x < 4; ++x)
        canvas->SetPixels(x, 0, colours[x]);
    EXPECT_EQ(Picture(*bitmap), (Rows{".#.#"}));
}

TEST(Canvas, EveryDrawingOperationNotifiesTheBitmap) {
    auto bitmap = MakeFilled(4, 4, clWhite);
    auto other = MakeFilled(2, 2, clRed);
    int changes = 0;
    bitmap->SetOnChange([&](TObject* Sender) {
        EXPECT_EQ(Sender, bitmap.get());
        ++changes;
    });
    TCanvas* canvas = bitmap->Canvas();
    struct Case {
        const char* name;
        std::function<void()> draw;
    };
    const Case cases[] = {
        {"FillRect",
         [&] {
             canvas->FillRect(Rect(0, 0, 1, 1));
         }},
        {"Rectangle",
         [&] {
             canvas->Rectangle(0, 0, 2, 2);
         }},
        {"LineTo",
         [&] {
             canvas->LineTo(3, 3);
         }},
        {"Pixels",
         [&] {
             canvas->SetPixels(1, 1, clBlue);
         }},
        {"CopyRect",
         [&] {
             canvas->CopyRect(Rect(0, 0, 2, 2), other->Canvas(), Rect(0, 0, 2, 2));
         }},
        {"Draw",
         [&] {
             canvas->Draw(1, 1, other.get());
         }},
        {"StretchDraw",
         [&] {
             canvas->StretchDraw(Rect(0, 0, 4, 4), other.get());
         }},
        {"BitBlt",
         [&] {
             BitBlt(canvas, 0, 0, 1, 1, other->Canvas(), 0, 0, SRCCOPY);
         }},
    };
    for (const Case& c : cases) {
        changes = 0;
        c.draw();
        EXPECT_EQ(changes, 1) << c.name;
    }
    changes = 0;
    canvas->MoveTo(0, 0);
    canvas->Pen()->SetColor(clRed);
    canvas->Pixels(0, 0);
    EXPECT_EQ(changes, 0);
}

TEST(Canvas, ACanvasWithoutATargetDrawsNothing) {
    TCanvas canvas;
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.LineTo(5, 5);
    canvas.Rectangle(0, 0, 3, 3);
    EXPECT_EQ(canvas.Pixels(0, 0), clNone);
    EXPECT_EQ(canvas.ClipRect(), TRect{});
    auto bitmap = MakeFilled(2, 2, clRed);
    canvas.SetTarget(bitmap.get());
    EXPECT_EQ(canvas.Pixels(1, 1), clRed);
}

TEST(Canvas, FontPenAndBrushAreCopiesOfWhatIsAssigned) {
    TCanvas canvas;
    TPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(3);
    canvas.SetPen(&pen);
    pen.SetColor(clBlue);
    EXPECT_EQ(canvas.Pen()->Color(), clRed);
    EXPECT_EQ(canvas.Pen()->Width(), 3);
    TBrush brush;
    brush.SetStyle(bsClear);
    canvas.SetBrush(&brush);
    EXPECT_EQ(canvas.Brush()->Style(), bsClear);
    EXPECT_THROW(canvas.Pen()->Assign(&brush), EConvertError);
}

TEST(Canvas, WidePensAndDashes) {
    std::unique_ptr<TBitmap> bitmap;
    TCanvas* canvas = Blank(bitmap, 6, 5);
    canvas->Pen()->SetWidth(3);
    canvas->MoveTo(1, 2);
    canvas->LineTo(5, 2);
    // A square of the pen's width around each point of the line.
    EXPECT_EQ(Picture(*bitmap), (Rows{"......", "######", "######", "######", "......"}));

    std::unique_ptr<TBitmap> dotted;
    canvas = Blank(dotted, 14, 1);
    canvas->Pen()->SetStyle(psDot);
    canvas->MoveTo(0, 0);
    canvas->LineTo(14, 0);
    EXPECT_EQ(Picture(*dotted), (Rows{"###...###...##"}));
}

namespace {

// A white 24-bit bitmap whose canvas writes black one-bit IPAPGothic at 12 px (cell 13).
std::unique_ptr<TBitmap> TextBoard(int Width, int Height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Width, Height);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, Width, Height));
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetQuality(fqNonAntialiased);
    return bitmap;
}

TRect TextInk(TBitmap& Bitmap, TColor Background) {
    TRect ink{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x)
            if (Bitmap.GetPixel(x, y) != Background)
                ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                       std::max(ink.Bottom, y + 1)};
    return IsRectEmpty(ink) ? TRect{} : ink;
}

} // namespace

TEST(CanvasText, WidthAndHeightInTheFont) {
    auto bitmap = TextBoard(10, 10);
    TCanvas* canvas = bitmap->Canvas();
    EXPECT_EQ(canvas->TextWidth("Ａ①a"), 9 + 12 + 7);
    EXPECT_EQ(canvas->TextWidth(""), 0);
    EXPECT_EQ(canvas->TextHeight("a"), 13);
    // No prefix processing here.
    EXPECT_EQ(canvas->TextWidth("&&"), 2 * canvas->TextWidth("&"));
    canvas->Font()->SetHeight(-21);
    EXPECT_EQ(canvas->TextWidth("Ａ①a"), 15 + 21 + 12);
    EXPECT_EQ(canvas->TextHeight(""), 22);
}

TEST(CanvasText, TextOutDrawsAtTheTopLeftAndMovesThePen) {
    auto bitmap = TextBoard(60, 30);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(5, 4, "ab");
    TRect ink = TextInk(*bitmap, clWhite);
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 4);
    EXPECT_LE(ink.Right, 5 + canvas->TextWidth("ab"));
    EXPECT_LE(ink.Bottom, 4 + 11); // nothing below the baseline in "ab"
    EXPECT_EQ(canvas->PenPos(), (TPoint{5 + canvas->TextWidth("ab"), 4}));
    // The same glyphs as DrawText puts at that point.
    auto same = TextBoard(60, 30);
    TRect r = Rect(5, 4, 60, 30);
    DrawText(same->Canvas()->Handle(), "ab", -1, &r, DT_NOPREFIX);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(bitmap->GetPixel(x, y), same->GetPixel(x, y)) << x << ", " << y;
}

TEST(CanvasText, ASolidBrushFillsTheTextCell) {
    auto bitmap = TextBoard(60, 30);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clYellow);
    canvas->TextOut(5, 4, "ab");
    int width = canvas->TextWidth("ab");
    // The cell is the background; the ink inside it is the font colour.
    EXPECT_EQ(TextInk(*bitmap, clWhite), Bounds(5, 4, width, 13));
    for (int y = 4; y < 17; ++y)
        for (int x = 5; x < 5 + width; ++x) {
            TColor c = bitmap->GetPixel(x, y);
            EXPECT_TRUE(c == clYellow || c == clBlack);
        }
    EXPECT_EQ(bitmap->GetPixel(5, 16), clYellow);
}

TEST(CanvasText, TextRectIsClippedToItsRectangle) {
    auto bitmap = TextBoard(60, 30);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(Rect(0, 0, 8, 30), 2, 2, "①①");
    TRect ink = TextInk(*bitmap, clWhite);
    EXPECT_FALSE(IsRectEmpty(ink));
    EXPECT_LE(ink.Right, 8);
    // With a solid brush the whole rectangle is filled first.
    canvas->Brush()->SetColor(clAqua);
    canvas->TextRect(Rect(20, 0, 40, 20), 22, 2, "a");
    EXPECT_EQ(bitmap->GetPixel(20, 19), clAqua);
    EXPECT_EQ(bitmap->GetPixel(39, 0), clAqua);
    EXPECT_EQ(bitmap->GetPixel(40, 0), clWhite);
}

TEST(CanvasText, TextFollowsTheOriginAndTheClip) {
    auto bitmap = TextBoard(60, 30);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->SaveState();
    canvas->MoveOrigin(10, 6);
    canvas->IntersectClip(Rect(0, 0, 6, 30));
    canvas->TextOut(0, 0, "①");
    canvas->RestoreState();
    TRect ink = TextInk(*bitmap, clWhite);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 6);
    EXPECT_LE(ink.Right, 16);
}
