#include "controls/ShineSpdBtn.h"

#include "platform/graphics/TextDraw.h"

#include <gtest/gtest.h>

namespace {

// In the default font (12-pixel IPAPGothic) this caption measures 30 by 13.
const AnsiString Caption30 = "①ＡＡ";

struct TLayoutCase {
    const char* Name;
    int Width;
    int Height;
    TButtonLayout Layout;
    int Margin;
    int Spacing;
    bool Glyph;
    AnsiString Caption;
    TPoint GlyphPos;
    TRect TextRect;
};

class TLayout : public testing::TestWithParam<TLayoutCase> {
protected:
    TComponent Owner{nullptr};
    TBitmap Surface;
};

TEST(LayoutFont, TheCaptionOfTheExamplesMeasuresThirtyByThirteen) {
    TBitmap surface;
    surface.SetSize(100, 100);
    TFont font;
    surface.Canvas()->SetFont(&font);
    TRect r = Rect(0, 0, 100, 0);
    DrawText(surface.Canvas()->Handle(), Caption30.c_str(), -1, &r, DT_CALCRECT);
    EXPECT_EQ(r, Rect(0, 0, 30, 13));
}

TEST_P(TLayout, PlacesGlyphAndCaption) {
    const TLayoutCase& c = GetParam();
    auto* button = new TShineSpeedButton(&Owner);
    button->SetBounds(0, 0, c.Width, c.Height);
    button->SetLayout(c.Layout);
    button->SetMargin(c.Margin);
    button->SetSpacing(c.Spacing);
    button->SetCaption(c.Caption);
    if (c.Glyph) {
        TBitmap glyph;
        glyph.SetSize(16, 16);
        button->SetGlyph(&glyph);
    }
    Surface.SetSize(c.Width, c.Height);
    Surface.Canvas()->SetFont(button->Font());
    TPoint glyphPos{-99, -99};
    TRect textRect{-99, -99, -99, -99};
    button->CalcDrawPosition(Surface.Canvas(), glyphPos, textRect);
    if (c.Glyph) {
        EXPECT_EQ(glyphPos, c.GlyphPos);
    }
    if (!c.Caption.empty()) {
        EXPECT_EQ(textRect, c.TextRect);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShineSpdBtn, TLayout,
    testing::Values(
        TLayoutCase{"DefaultButtonGlyphOnly", 25, 25, blGlyphLeft, -1, 4, true, "", {4, 4}, {}},
        TLayoutCase{"GlyphLeftCentred",
                    75,
                    25,
                    blGlyphLeft,
                    -1,
                    4,
                    true,
                    Caption30,
                    {12, 4},
                    {32, 5, 62, 18}},
        TLayoutCase{"MarginBelowMinusOneCentresToo",
                    75,
                    25,
                    blGlyphLeft,
                    -5,
                    4,
                    true,
                    Caption30,
                    {12, 4},
                    {32, 5, 62, 18}},
        TLayoutCase{
            "GlyphLeftMargin", 75, 25, blGlyphLeft, 3, 4, true, Caption30, {3, 4}, {23, 5, 53, 18}},
        TLayoutCase{"GlyphRightMargin",
                    75,
                    25,
                    blGlyphRight,
                    2,
                    4,
                    true,
                    Caption30,
                    {57, 4},
                    {23, 5, 53, 18}},
        TLayoutCase{"GlyphTopCentred",
                    50,
                    50,
                    blGlyphTop,
                    -1,
                    4,
                    true,
                    Caption30,
                    {17, 8},
                    {10, 28, 40, 41}},
        TLayoutCase{"GlyphBottomMargin",
                    50,
                    50,
                    blGlyphBottom,
                    3,
                    4,
                    true,
                    Caption30,
                    {17, 31},
                    {10, 14, 40, 27}},
        TLayoutCase{"CaptionAloneHasNoSpacing",
                    75,
                    25,
                    blGlyphLeft,
                    0,
                    4,
                    false,
                    Caption30,
                    {},
                    {0, 6, 30, 19}},
        TLayoutCase{
            "CaptionAloneTop", 50, 50, blGlyphTop, -1, 4, false, Caption30, {}, {10, 18, 40, 31}},
        TLayoutCase{"GlyphAloneBottom", 50, 50, blGlyphBottom, 0, 4, true, "", {17, 34}, {}},
        TLayoutCase{"NegativeSpacingOverlaps",
                    75,
                    25,
                    blGlyphLeft,
                    -1,
                    -4,
                    true,
                    Caption30,
                    {16, 4},
                    {28, 5, 58, 18}},
        TLayoutCase{"WiderThanTheButton",
                    20,
                    25,
                    blGlyphLeft,
                    -1,
                    4,
                    false,
                    Caption30,
                    {},
                    {-5, 6, 25, 19}},
        // (25 - 50) / 2 truncates toward zero: -12, not -13.
        TLayoutCase{"HalvingTruncatesTowardZero",
                    25,
                    25,
                    blGlyphLeft,
                    -1,
                    4,
                    true,
                    Caption30,
                    {-12, 4},
                    {8, 5, 38, 18}},
        TLayoutCase{"AmpersandIsNotMeasured",
                    75,
                    25,
                    blGlyphLeft,
                    -1,
                    4,
                    true,
                    "①&ＡＡ",
                    {12, 4},
                    {32, 5, 62, 18}},
        TLayoutCase{"LineBreakStacksLines",
                    50,
                    50,
                    blGlyphLeft,
                    -1,
                    4,
                    false,
                    "①\nＡ",
                    {},
                    {19, 12, 31, 38}}),
    [](const testing::TestParamInfo<TLayoutCase>& Info) { return Info.param.Name; });

} // namespace
