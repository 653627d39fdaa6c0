#include "controls/ShineSpdBtn.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Pictures written as rows of letters, one letter per pixel.
using TPicture = std::vector<std::string>;
using TPalette = std::map<char, TColor>;

constexpr TColor Magenta = RGB(255, 0, 255);

std::unique_ptr<TBitmap> MakeBitmap(const TPicture& Rows, const TPalette& Palette,
                                    TPixelFormat Format = pf32bit) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            bitmap->SetPixel(x, y, Palette.at(Rows[y][x]));
    return bitmap;
}

// The image read back through the same palette; '?' for a colour it does not hold.
TPicture ReadBack(const TBitmap& Image, const TPalette& Palette) {
    TPicture rows(Image.Height(), std::string(Image.Width(), '?'));
    for (int y = 0; y < Image.Height(); ++y)
        for (int x = 0; x < Image.Width(); ++x)
            for (const auto& [letter, color] : Palette)
                if (Image.GetPixel(x, y) == color)
                    rows[y][x] = letter;
    return rows;
}

// A button whose looks the tests pick through its own pointer and enable handling.
class TProbe : public TShineSpeedButton {
public:
    explicit TProbe(TComponent* AOwner) : TShineSpeedButton(AOwner) {}
    // A left press makes the active look.
    void MakeActive() { MouseDown(mbLeft, TShiftState(), 1, 1); }
};

struct TGlyphTest : testing::Test {
    TComponent Owner{nullptr};
    TProbe& Button = *new TProbe(&Owner);

    std::unique_ptr<TBitmap> StateGlyph(const TPicture& Rows, const TPalette& Palette) {
        Button.SetGlyph(MakeBitmap(Rows, Palette).get());
        return Button.CreateStateGlyph();
    }
    std::unique_ptr<TBitmap> Active(TActiveImageType Type, const TPicture& Rows,
                                    const TPalette& Palette) {
        Button.SetActiveImage(Type);
        Button.MakeActive();
        return StateGlyph(Rows, Palette);
    }
    std::unique_ptr<TBitmap> Disabled(TDisabledImageType Type, const TPicture& Rows,
                                      const TPalette& Palette) {
        Button.SetDisabledImage(Type);
        Button.SetEnabled(false);
        return StateGlyph(Rows, Palette);
    }
};

} // namespace

TEST(ColorToPixel, SwapsRedAndBlueAndResolvesSystemColours) {
    EXPECT_EQ(ColorToPixel(0x000000FF), 0x00FF0000u);
    EXPECT_EQ(ColorToPixel(0x00FF0000), 0x000000FFu);
    EXPECT_EQ(ColorToPixel(0x0000FF00), 0x0000FF00u);
    EXPECT_EQ(ColorToPixel(clNone), 0x00FFFFFFu);
    TColor face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToPixel(clBtnFace), static_cast<std::uint32_t>(GetRValue(face)) << 16 |
                                           GetGValue(face) << 8 | GetBValue(face));
}

// One opaque pixel (top right) of a 2 by 2 glyph whose other pixels are the transparent
// magenta, through each per-channel rule.
struct TChannelCase {
    const char* Name;
    bool Active;
    int Type;
    TColor Shine;
    TColor Face;
    TColor Input;
    TColor Expected;
};

class TChannelRules : public TGlyphTest, public testing::WithParamInterface<TChannelCase> {};

TEST_P(TChannelRules, ChangeOnlyOpaquePixels) {
    const TChannelCase& c = GetParam();
    TPalette palette{{'k', Magenta}, {'x', c.Input}};
    TPicture picture{"kx", "kk"};
    Button.SetShineColor(c.Shine);
    Button.Colors()->SetColor(c.Face);
    std::unique_ptr<TBitmap> image =
        c.Active ? Active(static_cast<TActiveImageType>(c.Type), picture, palette)
                 : Disabled(static_cast<TDisabledImageType>(c.Type), picture, palette);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetPixel(1, 0), c.Expected);
    EXPECT_EQ(image->GetPixel(0, 0), Magenta);
    EXPECT_EQ(image->GetPixel(0, 1), Magenta);
    EXPECT_TRUE(image->Transparent());
    EXPECT_EQ(image->TransparentColor(), Magenta);
}

INSTANTIATE_TEST_SUITE_P(
    ShineSpdBtn, TChannelRules,
    testing::Values(TChannelCase{"XorYellow", true, aiXorLight, clYellow, clBtnFace,
                                 RGB(10, 200, 30), RGB(245, 55, 30)},
                    TChannelCase{"HalfYellowOnBlack", true, aiHalfLight, clYellow, clBtnFace,
                                 clBlack, RGB(127, 127, 0)},
                    TChannelCase{"QuaterYellowOnBlack", true, aiQuaterLight, clYellow, clBtnFace,
                                 clBlack, RGB(191, 191, 0)},
                    TChannelCase{"AddSaturates", true, aiAddLight, clYellow, clBtnFace,
                                 RGB(200, 10, 0), RGB(255, 255, 0)},
                    TChannelCase{"NormalKeepsThePixel", true, aiNormal, clYellow, clBtnFace,
                                 RGB(1, 2, 3), RGB(1, 2, 3)},
                    TChannelCase{"GreyOfPureRed", false, diGrayscale, clYellow, clBtnFace,
                                 RGB(255, 0, 0), RGB(85, 85, 85)},
                    TChannelCase{"GreyRoundsDown", false, diGrayscale, clYellow, clBtnFace,
                                 RGB(1, 1, 0), RGB(0, 0, 0)},
                    TChannelCase{"HalfFaceOnBlack", false, diAlphaHalfTrans, clYellow,
                                 RGB(240, 240, 240), clBlack, RGB(120, 120, 120)},
                    TChannelCase{"QuaterFaceOnBlack", false, diAlphaQuaterTrans, clYellow,
                                 RGB(240, 240, 240), clBlack, RGB(180, 180, 180)}),
    [](const testing::TestParamInfo<TChannelCase>& Info) { return Info.param.Name; });

TEST_F(TGlyphTest, PlainLooksCopyTheGlyphAndLeaveOutItsBottomLeftColour) {
    TPalette palette{{'k', Magenta}, {'a', clRed}, {'b', clBlue}};
    TPicture picture{"akb", "bka", "kab"};
    std::unique_ptr<TBitmap> image = StateGlyph(picture, palette);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(ReadBack(*image, palette), picture);
    EXPECT_TRUE(image->Transparent());
    EXPECT_EQ(image->TransparentColor(), Magenta);
    EXPECT_EQ(image->HandleType(), bmDDB);
    // The glyph itself is never changed by deriving a look.
    image = Active(aiXorLight, picture, palette);
    EXPECT_EQ(ReadBack(*Button.Glyph(), palette), picture);
}

TEST_F(TGlyphTest, ARuleCanGiveAnOpaquePixelTheTransparentColour) {
    // Yellow xor blue is white, which here is the transparent colour.
    TPalette palette{{'k', clWhite}, {'b', clBlue}};
    std::unique_ptr<TBitmap> image = Active(aiXorLight, {"bk", "kk"}, palette);
    EXPECT_EQ(image->GetPixel(0, 0), clWhite);
    EXPECT_EQ(image->TransparentColor(), clWhite);
}

TEST_F(TGlyphTest, OutlinePaintsTransparentPixelsByCityBlockDistance) {
    TPalette palette{{'.', Magenta}, {'X', clBlack}, {'S', clYellow}};
    TPicture picture{
        ".......", ".......", "...X...", ".......", ".......", ".......",
    };
    EXPECT_EQ(ReadBack(*Active(aiFrameLight, picture, palette), palette), (TPicture{
                                                                              ".......",
                                                                              "...S...",
                                                                              "..SXS..",
                                                                              "...S...",
                                                                              ".......",
                                                                              ".......",
                                                                          }));
    EXPECT_EQ(ReadBack(*Active(aiFrameLight2, picture, palette), palette), (TPicture{
                                                                               "...S...",
                                                                               "..SSS..",
                                                                               ".SSXSS.",
                                                                               "..SSS..",
                                                                               "...S...",
                                                                               ".......",
                                                                           }));
}

TEST_F(TGlyphTest, OutlineJudgesTransparencyOnTheGlyphAndKeepsOpaquePixels) {
    // Two opaque colours side by side: neither is painted, and a pixel painted by the
    // first pass does not spread the outline further.
    TPalette palette{{'.', Magenta}, {'a', clRed}, {'b', clBlue}, {'S', clYellow}};
    TPicture picture{"....", ".ab.", "...."};
    EXPECT_EQ(ReadBack(*Active(aiFrameLight, picture, palette), palette),
              (TPicture{".SS.", "SabS", ".SS."}));
}

TEST_F(TGlyphTest, OutlineReachingTheBottomLeftPixelMakesShineTheTransparentColour) {
    TPalette palette{{'.', Magenta}, {'X', clBlack}, {'S', clYellow}};
    std::unique_ptr<TBitmap> image = Active(aiFrameLight, {"...", "X..", "..."}, palette);
    EXPECT_EQ(ReadBack(*image, palette), (TPicture{"S..", "XS.", "S.."}));
    EXPECT_EQ(image->TransparentColor(), clYellow);
    // With width 2 the pixel two steps away counts too.
    image = Active(aiFrameLight2, {"X..", "...", "..."}, palette);
    EXPECT_EQ(image->GetPixel(0, 2), clYellow);
    EXPECT_EQ(image->TransparentColor(), clYellow);
}

TEST_F(TGlyphTest, OnePixelHighGlyph) {
    TPalette palette{{'.', Magenta}, {'X', clBlack}, {'S', clYellow}, {'w', clWhite}};
    EXPECT_EQ(ReadBack(*Active(aiFrameLight, {"..X.."}, palette), palette), TPicture{".SXS."});
    std::unique_ptr<TBitmap> stencil = Disabled(diDefault, {"..X.."}, palette);
    EXPECT_TRUE(stencil->Monochrome());
    EXPECT_EQ(ReadBack(*stencil, {{'0', clBlack}, {'1', clWhite}}), TPicture{"00000"});
}

TEST_F(TGlyphTest, EdgeStencilMarksDiagonalChangesOfTwoByTwoBlocks) {
    TPalette palette{{'.', Magenta}, {'X', clBlack}, {'a', clRed}};
    TPalette bits{{'0', clBlack}, {'1', clWhite}};
    std::unique_ptr<TBitmap> stencil =
        Disabled(diDefault, {"....", ".X..", "....", "...."}, palette);
    EXPECT_TRUE(stencil->Monochrome());
    EXPECT_EQ(ReadBack(*stencil, bits), (TPicture{"1100", "1100", "0000", "0000"}));
    EXPECT_EQ(stencil->TransparentColor(), clBlack);
    // A change between two opaque colours counts, across rows or columns alike.
    stencil = Disabled(diDefault, {"aaa", "XXX", "..."}, palette);
    EXPECT_EQ(ReadBack(*stencil, bits), (TPicture{"110", "110", "000"}));
    stencil = Disabled(diDefault, {"aXa", "aXa", "aXa"}, palette);
    EXPECT_EQ(ReadBack(*stencil, bits), (TPicture{"110", "110", "000"}));
    // A block whose two diagonals each hold one colour has no edge.
    stencil = Disabled(diDefault, {"aX", "Xa"}, palette);
    EXPECT_EQ(ReadBack(*stencil, bits), (TPicture{"00", "00"}));
}

TEST_F(TGlyphTest, SingleColourGlyphGivesAnEmptyStencil) {
    std::unique_ptr<TBitmap> stencil = Disabled(diDefault, {"XXX", "XXX", "XXX"}, {{'X', clRed}});
    EXPECT_EQ(ReadBack(*stencil, {{'0', clBlack}, {'1', clWhite}}),
              (TPicture{"000", "000", "000"}));
}

// Every pixel opaque but the bottom-left one; marked pixels show as 'S' (active) or as the
// transparent colour (disabled).
TPicture Solid(int Width, int Height) {
    TPicture rows(Height, std::string(Width, 'X'));
    rows[Height - 1][0] = '.';
    return rows;
}

TPicture Marked(int Width, int Height, char Mark, bool Checkerboard) {
    TPicture rows = Solid(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (rows[y][x] == 'X' && (Checkerboard ? (x + y) % 2 == 1 : x % 2 == 1))
                rows[y][x] = Mark;
    return rows;
}

TEST_F(TGlyphTest, AlternatePixelsFollowTheHeightsParity) {
    TPalette palette{{'.', Magenta}, {'X', clBlack}, {'S', clYellow}};
    EXPECT_EQ(ReadBack(*Active(aiMaskLight, Solid(16, 16), palette), palette),
              Marked(16, 16, 'S', true));
    EXPECT_EQ(ReadBack(*Active(aiMaskLight, Solid(16, 15), palette), palette),
              Marked(16, 15, 'S', false));
    // Odd by odd is a checkerboard too.
    EXPECT_EQ(ReadBack(*Active(aiMaskLight, Solid(5, 5), palette), palette),
              Marked(5, 5, 'S', true));
    EXPECT_EQ(ReadBack(*Disabled(diMaskTrans, Solid(16, 16), palette), palette),
              Marked(16, 16, '.', true));
    EXPECT_EQ(ReadBack(*Disabled(diMaskTrans, Solid(16, 15), palette), palette),
              Marked(16, 15, '.', false));
}

TEST_F(TGlyphTest, GlyphStaysThirtyTwoBitsAndNullEmptiesIt) {
    std::unique_ptr<TBitmap> deep =
        MakeBitmap({"ab", "ba"}, {{'a', clRed}, {'b', clBlue}}, pf24bit);
    Button.SetGlyph(deep.get());
    EXPECT_EQ(Button.Glyph()->PixelFormat(), pf32bit);
    EXPECT_EQ(Button.Glyph()->HandleType(), bmDIB);
    EXPECT_EQ(Button.Glyph()->GetPixel(1, 0), clBlue);
    // A change made on the glyph itself converts it too.
    Button.Glyph()->SetPixelFormat(pf24bit);
    EXPECT_EQ(Button.Glyph()->PixelFormat(), pf32bit);
    Button.Glyph()->SetHandleType(bmDDB);
    EXPECT_EQ(Button.Glyph()->HandleType(), bmDIB);

    Button.SetGlyph(nullptr);
    EXPECT_TRUE(Button.Glyph()->Empty());
    EXPECT_EQ(Button.CreateStateGlyph(), nullptr);
    // The notification is attached again after emptying.
    Button.Glyph()->SetPixelFormat(pf1bit);
    EXPECT_EQ(Button.Glyph()->PixelFormat(), pf32bit);
}
