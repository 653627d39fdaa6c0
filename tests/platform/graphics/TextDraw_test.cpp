#include "platform/graphics/TextDraw.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// IPAPGothic at 12 px: cell 13 (ascent 11, descent 2), average width 6.
constexpr int LineHeight = 13;

// A white 24-bit bitmap whose canvas draws black one-bit text in IPAPGothic at 12 px.
std::unique_ptr<TBitmap> Board(int Width = 120, int Height = 60, TPixelFormat Format = pf24bit) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(Width, Height);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, Width, Height));
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetName("ＭＳ Ｐゴシック");
    canvas->Font()->SetHeight(-12);
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetQuality(fqNonAntialiased);
    return bitmap;
}

int Draw(TBitmap& Bitmap, const std::string& Text, TRect R, unsigned Format) {
    return DrawText(Bitmap.Canvas()->Handle(), Text.c_str(), -1, &R, Format);
}

// The bitmap of Text drawn into R with Format on a fresh board.
std::unique_ptr<TBitmap> Drawn(const std::string& Text, TRect R, unsigned Format) {
    auto bitmap = Board();
    Draw(*bitmap, Text, R, Format);
    return bitmap;
}

// Empty when equal, else where the first difference is.
std::string Difference(TBitmap& A, TBitmap& B) {
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (A.GetPixel(x, y) != B.GetPixel(x, y))
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

// The smallest rectangle holding every non-white pixel.
TRect Ink(TBitmap& Bitmap) {
    TRect ink{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x)
            if (Bitmap.GetPixel(x, y) != clWhite) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
    return IsRectEmpty(ink) ? TRect{} : ink;
}

int Width(const std::string& Text) {
    auto bitmap = Board();
    return GetTextExtent(bitmap->Canvas()->Handle(), Text.c_str(), -1).X;
}

TRect Measured(const std::string& Text, TRect R, unsigned Format) {
    auto bitmap = Board();
    DrawText(bitmap->Canvas()->Handle(), Text.c_str(), -1, &R, Format | DT_CALCRECT);
    return R;
}

bool RowIsBlack(TBitmap& Bitmap, int Y, int X1, int X2) {
    for (int x = X1; x < X2; ++x)
        if (Bitmap.GetPixel(x, Y) != clBlack)
            return false;
    return true;
}

const TRect Wide = Rect(0, 0, 120, 60);

} // namespace

TEST(TextDraw, MetricsOfTheDefaultFont) {
    auto bitmap = Board();
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(bitmap->Canvas()->Handle(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 1);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    EXPECT_EQ(tm.tmOverhang, 0);
    EXPECT_EQ(tm.tmWeight, 400);
    bitmap->Canvas()->Font()->SetStyle(fsBold);
    ASSERT_TRUE(GetTextMetrics(bitmap->Canvas()->Handle(), &tm));
    EXPECT_EQ(tm.tmWeight, 700);
    EXPECT_EQ(tm.tmOverhang, 0);
    EXPECT_EQ(GetTextExtent(bitmap->Canvas()->Handle(), "aaa", -1), (TPoint{3 * 8, 13}));
}

TEST(TextDraw, CalcRectMeasuresEveryLine) {
    struct Case {
        const char* text;
        unsigned format;
        int width;
        int lines;
    };
    const Case cases[] = {
        {"", 0, 0, 1},
        {"abc", 0, Width("abc"), 1},
        {"ab\nＡ①\r\nx", 0, Width("Ａ①"), 3},
        {"a\n", 0, Width("a"), 1},    // a final break opens no line
        {"a\n\nb", 0, Width("a"), 3}, // an empty line in between counts
        {"a\rbb", 0, Width("bb"), 2}, // a lone carriage return breaks too
        {"ab\ncd", DT_SINGLELINE, Width("abcd"), 1},
        {"&a&&b", 0, Width("a&b"), 1}, // the prefix is not measured
        {"a&", 0, Width("a"), 1},      // a final "&" shows nothing
        {"&a&&b", DT_NOPREFIX, Width("&a&&b"), 1},
    };
    for (const Case& c : cases) {
        TRect r = Measured(c.text, Rect(5, 7, 100, 8), c.format);
        EXPECT_EQ(r, Rect(5, 7, 5 + c.width, 7 + c.lines * LineHeight)) << c.text;
        auto bitmap = Board();
        TRect s = Rect(5, 7, 100, 8);
        EXPECT_EQ(DrawText(bitmap->Canvas()->Handle(), c.text, -1, &s, c.format | DT_CALCRECT),
                  c.lines * LineHeight)
            << c.text;
        EXPECT_EQ(Ink(*bitmap), TRect{}) << "measuring draws nothing: " << c.text;
    }
}

TEST(TextDraw, LinesStackAndReturnTheirHeight) {
    auto bitmap = Board();
    EXPECT_EQ(Draw(*bitmap, "ab\ncd", Wide, 0), 2 * LineHeight);
    auto expected = Board();
    Draw(*expected, "ab", Wide, 0);
    Draw(*expected, "cd", Rect(0, LineHeight, 120, 60), 0);
    EXPECT_EQ(Difference(*bitmap, *expected), "");
}

TEST(TextDraw, PrefixUnderlinesTheNextCharacter) {
    auto bitmap = Drawn("&ab", Wide, 0);
    // The underline: on the cell's last row (baseline 11 plus one), under "a" only.
    int a = Width("a");
    EXPECT_TRUE(RowIsBlack(*bitmap, 12, 0, a));
    EXPECT_EQ(bitmap->GetPixel(a, 12), clWhite);
    EXPECT_EQ(Ink(*bitmap).Bottom, 13);
    // Without the underline the glyphs are those of the plain text.
    EXPECT_EQ(Difference(*Drawn("&ab", Wide, DT_HIDEPREFIX), *Drawn("ab", Wide, 0)), "");
    // An underlined multi-byte character gets its full advance.
    auto wide = Drawn("x&①", Wide, 0);
    int x = Width("x");
    EXPECT_TRUE(RowIsBlack(*wide, 12, x, x + Width("①")));
    EXPECT_FALSE(RowIsBlack(*wide, 12, 0, x));
}

TEST(TextDraw, DoubleAmpersandIsOneAmpersandWithoutUnderline) {
    EXPECT_EQ(Difference(*Drawn("a&&b", Wide, 0), *Drawn("a&b", Wide, DT_NOPREFIX)), "");
    EXPECT_EQ(Difference(*Drawn("a&", Wide, 0), *Drawn("a", Wide, 0)), "");
    // With no prefix processing every "&" shows.
    EXPECT_NE(Difference(*Drawn("a&&b", Wide, DT_NOPREFIX), *Drawn("a&b", Wide, DT_NOPREFIX)), "");
}

TEST(TextDraw, EndEllipsisOnlyWhenTheLineDoesNotFit) {
    const std::string text = "abcdefghij";
    int fits = Width("abcd...");
    for (int extra : {0, 1}) {
        TRect r = Rect(0, 0, fits + extra, 20);
        EXPECT_EQ(Difference(*Drawn(text, r, DT_END_ELLIPSIS), *Drawn("abcd...", r, 0)), "")
            << extra;
    }
    TRect whole = Rect(0, 0, Width(text), 20);
    EXPECT_EQ(Difference(*Drawn(text, whole, DT_END_ELLIPSIS), *Drawn(text, whole, 0)), "");
    // Only the long line of several is shortened.
    TRect two = Rect(0, 0, fits, 40);
    auto expected = Board();
    Draw(*expected, "ab\nabcd...", two, 0);
    EXPECT_EQ(Difference(*Drawn("ab\n" + text, two, DT_END_ELLIPSIS), *expected), "");
    // Whole characters only.
    TRect jp = Rect(0, 0, Width("あい...") + 5, 20);
    EXPECT_EQ(Difference(*Drawn("あいうえお", jp, DT_END_ELLIPSIS), *Drawn("あい...", jp, 0)), "");
}

TEST(TextDraw, PathEllipsisKeepsTheLastComponent) {
    const std::string path = "/usr/share/fonts/ipagp.ttf";
    TRect r = Rect(0, 0, Width("/usr/sh.../ipagp.ttf"), 20);
    EXPECT_EQ(Difference(*Drawn(path, r, DT_PATH_ELLIPSIS), *Drawn("/usr/sh.../ipagp.ttf", r, 0)),
              "");
    TRect fits = Rect(0, 0, Width(path), 20);
    EXPECT_EQ(Difference(*Drawn(path, fits, DT_PATH_ELLIPSIS), *Drawn(path, fits, 0)), "");
    // A last component too long by itself keeps its start.
    TRect tiny = Rect(0, 0, Width(".../ipa..."), 20);
    EXPECT_EQ(Difference(*Drawn(path, tiny, DT_PATH_ELLIPSIS), *Drawn(".../ipa...", tiny, 0)), "");
    // Without a "/" the end goes.
    TRect word = Rect(0, 0, Width("ipa..."), 20);
    EXPECT_EQ(Difference(*Drawn("ipagp.ttf", word, DT_PATH_ELLIPSIS), *Drawn("ipa...", word, 0)),
              "");
    // Measuring sees the shortened line.
    EXPECT_EQ(Measured(path, r, DT_PATH_ELLIPSIS).Right, Width("/usr/sh.../ipagp.ttf"));
}

TEST(TextDraw, TabsExpandToEightAverageWidths) {
    auto expected = Board();
    Draw(*expected, "a", Wide, 0);
    Draw(*expected, "b", Rect(48, 0, 120, 60), 0);
    EXPECT_EQ(Difference(*Drawn("a\tb", Wide, DT_EXPANDTABS), *expected), "");
    EXPECT_EQ(Measured("a\tb", Wide, DT_EXPANDTABS).Right, 48 + Width("b"));
    EXPECT_EQ(Measured("\t\tb", Wide, DT_EXPANDTABS).Right, 96 + Width("b"));

    auto bitmap = Board();
    DRAWTEXTPARAMS params;
    params.iTabLength = 4;
    TRect r = Wide;
    DrawTextEx(bitmap->Canvas()->Handle(), "a\tb", -1, &r, DT_EXPANDTABS, &params);
    auto four = Board();
    Draw(*four, "a", Wide, 0);
    Draw(*four, "b", Rect(24, 0, 120, 60), 0);
    EXPECT_EQ(Difference(*bitmap, *four), "");
}

TEST(TextDraw, WordBreakAtBlanksAndInsideLongWords) {
    struct Case {
        const char* text;
        int width;
        const char* lines; // the expected lines, joined by line breaks
    };
    const Case cases[] = {
        {"aaa bbb ccc", Width("aaa bbb"), "aaa bbb\nccc"},
        {"aaa bbb ccc", Width("aaa bbb") - 1, "aaa\nbbb\nccc"},
        {"aaa   bbb", Width("aaa "), "aaa\nbbb"},
        {"abcdefgh", Width("abc"), "abc\ndef\ngh"},
        {"あいうえお", Width("あい") + 1, "あい\nうえ\nお"},
        {"ab cccccccc", Width("ccc"), "ab\nccc\nccc\ncc"},
        {"ab\ncd ef", Width("cd"), "ab\ncd\nef"},
    };
    for (const Case& c : cases) {
        TRect r = Rect(0, 0, c.width, 60);
        EXPECT_EQ(Difference(*Drawn(c.text, r, DT_WORDBREAK), *Drawn(c.lines, r, 0)), "") << c.text;
        EXPECT_EQ(Measured(c.text, r, DT_WORDBREAK), Measured(c.lines, r, 0)) << c.text;
    }
    // A line as narrow as nothing still shows each character, one a line.
    EXPECT_EQ(Measured("ab", Rect(0, 0, 0, 0), DT_WORDBREAK).Bottom, 2 * LineHeight);
}

TEST(TextDraw, CentreAndRightAlignEachLine) {
    int ab = Width("ab");
    int abcd = Width("abcd");
    auto centred = Board();
    Draw(*centred, "ab", Rect((100 - ab) / 2, 0, 120, 60), 0);
    Draw(*centred, "abcd", Rect((100 - abcd) / 2, LineHeight, 120, 60), 0);
    EXPECT_EQ(Difference(*Drawn("ab\nabcd", Rect(0, 0, 100, 60), DT_CENTER), *centred), "");

    auto right = Board();
    Draw(*right, "ab", Rect(100 - ab, 0, 120, 60), 0);
    Draw(*right, "abcd", Rect(100 - abcd, LineHeight, 120, 60), 0);
    EXPECT_EQ(Difference(*Drawn("ab\nabcd", Rect(0, 0, 100, 60), DT_RIGHT), *right), "");
}

TEST(TextDraw, VerticalPlacementOnlyOnASingleLine) {
    auto bitmap = Board();
    // Centred: top 10 + (40 - 13) / 2 = 23; the result is the bottom of the text from the top.
    EXPECT_EQ(Draw(*bitmap, "ab", Rect(0, 10, 100, 50), DT_SINGLELINE | DT_VCENTER), 13 + 13);
    EXPECT_EQ(Difference(*bitmap, *Drawn("ab", Rect(0, 23, 100, 50), 0)), "");

    auto bottom = Board();
    EXPECT_EQ(Draw(*bottom, "ab", Rect(0, 10, 100, 50), DT_SINGLELINE | DT_BOTTOM), 40);
    EXPECT_EQ(Difference(*bottom, *Drawn("ab", Rect(0, 37, 100, 50), 0)), "");

    // Without DT_SINGLELINE the text starts at the top.
    EXPECT_EQ(Difference(*Drawn("ab", Rect(0, 10, 100, 50), DT_VCENTER | DT_CENTER),
                         *Drawn("ab", Rect(0, 10, 100, 50), DT_CENTER)),
              "");
}

TEST(TextDraw, ClippedToTheRectangleUnlessNoClip) {
    TRect full = Ink(*Drawn("①", Wide, 0));
    ASSERT_GT(full.Width(), 6);
    TRect narrow = Rect(0, 0, 5, 60);
    TRect clipped = Ink(*Drawn("①", narrow, 0));
    EXPECT_LE(clipped.Right, 5);
    EXPECT_EQ(clipped.Left, full.Left);
    EXPECT_EQ(Ink(*Drawn("①", narrow, DT_NOCLIP)), full);
    // Lines below the rectangle are cut too.
    EXPECT_LE(Ink(*Drawn("a\nb", Rect(0, 0, 100, 13), 0)).Bottom, 13);
}

TEST(TextDraw, AlwaysClippedToTheCanvasClipThroughItsOrigin) {
    auto bitmap = Board();
    TCanvas* canvas = bitmap->Canvas();
    canvas->SaveState();
    canvas->MoveOrigin(20, 10);
    canvas->IntersectClip(Rect(0, 0, 5, 60));
    TRect r = Rect(0, 0, 100, 40);
    DrawText(canvas->Handle(), "①", -1, &r, DT_NOCLIP);
    canvas->RestoreState();
    TRect ink = Ink(*bitmap);
    TRect full = Ink(*Drawn("①", Rect(20, 10, 120, 60), 0));
    EXPECT_EQ(ink.Left, full.Left);
    EXPECT_EQ(ink.Top, full.Top);
    EXPECT_LE(ink.Right, 25);
}

TEST(TextDraw, ACharacterIsNeverCut) {
    const char* text = "a①"; // "①" takes three bytes
    auto bitmap = Board();
    TRect r = Wide;
    DrawText(bitmap->Canvas()->Handle(), text, 3, &r, 0);
    EXPECT_EQ(Difference(*bitmap, *Drawn("a", Wide, 0)), "");
    TRect m = Wide;
    DrawText(bitmap->Canvas()->Handle(), text, 3, &m, DT_CALCRECT);
    EXPECT_EQ(m.Right, Width("a"));
    // Nor does the cut character open a line of its own when the text wraps.
    TRect narrow = Rect(0, 0, Width("a"), 0);
    DrawText(bitmap->Canvas()->Handle(), "aa①", 4, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Bottom, 2 * LineHeight);
}

TEST(TextDraw, GlyphsTakeTheFontColourResolved) {
    auto bitmap = Board();
    bitmap->Canvas()->Font()->SetColor(clWindowText);
    Draw(*bitmap, "ab", Wide, 0);
    TRect ink = Ink(*bitmap);
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x) {
            TColor c = bitmap->GetPixel(x, y);
            EXPECT_TRUE(c == clWhite || c == ColorToRGB(clWindowText));
        }
    auto red = Board();
    red->Canvas()->Font()->SetColor(clRed);
    Draw(*red, "ab", Wide, 0);
    TRect redInk = Ink(*red);
    EXPECT_EQ(redInk, ink);
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x)
            EXPECT_EQ(red->GetPixel(x, y) == clRed, bitmap->GetPixel(x, y) != clWhite);
}

TEST(TextDraw, AntialiasedGlyphsBlendOverTheBackground) {
    auto bitmap = Board();
    bitmap->Canvas()->Font()->SetQuality(fqDefault);
    bitmap->Canvas()->Font()->SetColor(clBlue);
    Draw(*bitmap, "あ", Wide, 0);
    bool partial = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            TColor c = bitmap->GetPixel(x, y);
            EXPECT_EQ(GetRValue(c), GetGValue(c)); // white mixed with blue
            EXPECT_EQ(GetBValue(c), 255);
            partial = partial || (c != clWhite && c != clBlue);
        }
    EXPECT_TRUE(partial);
}

TEST(TextDraw, MonochromeTargetsSetOrClearBitsByGreyLevel) {
    auto bitmap = Board(64, 16, pf1bit);
    Draw(*bitmap, "ab", Rect(0, 0, 64, 16), 0);
    auto colour = Board(64, 16);
    Draw(*colour, "ab", Rect(0, 0, 64, 16), 0);
    EXPECT_EQ(Difference(*bitmap, *colour), "");
    // White text on black sets bits.
    bitmap->Canvas()->Brush()->SetColor(clBlack);
    bitmap->Canvas()->FillRect(Rect(0, 0, 64, 16));
    bitmap->Canvas()->Font()->SetColor(clSilver);
    Draw(*bitmap, "ab", Rect(0, 0, 64, 16), 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            EXPECT_EQ(bitmap->GetPixel(x, y) == clWhite, colour->GetPixel(x, y) == clBlack);
}

TEST(TextDraw, UnderlineAndStrikeOutFromTheFontStyle) {
    auto bitmap = Board();
    bitmap->Canvas()->Font()->SetStyle(fsUnderline);
    Draw(*bitmap, "ab cd", Wide, 0);
    EXPECT_TRUE(RowIsBlack(*bitmap, 12, 0, Width("ab cd")));
    EXPECT_EQ(bitmap->GetPixel(Width("ab cd"), 12), clWhite);

    auto struck = Board();
    struck->Canvas()->Font()->SetStyle(fsStrikeOut);
    Draw(*struck, "ab cd", Wide, 0);
    // The strike-out crosses the blank, where no glyph has ink: baseline 11 minus 5.
    int blank = Width("ab");
    EXPECT_EQ(struck->GetPixel(blank + 1, 6), clBlack);
    EXPECT_EQ(struck->GetPixel(blank + 1, 5), clWhite);
    EXPECT_EQ(struck->GetPixel(blank + 1, 7), clWhite);
}
