#include "ShineSpdBtnFixture.h"

#include "platform/graphics/TextDraw.h"

#include <map>
#include <string>
#include <vector>

namespace {

using TPicture = std::vector<std::string>;

// Distinct colours for every part of both looks.
constexpr TColor Face = RGB(200, 200, 200);
constexpr TColor High = RGB(255, 255, 250);
constexpr TColor Shad = RGB(100, 100, 100);
constexpr TColor Dark = RGB(10, 10, 10);
constexpr TColor PFace = RGB(210, 220, 230);
constexpr TColor PHigh = RGB(250, 0, 0);
constexpr TColor PShad = RGB(0, 250, 0);
constexpr TColor PDark = RGB(0, 0, 250);

const std::map<char, TColor> Letters{{'f', Face},  {'H', High},  {'s', Shad},  {'D', Dark},
                                     {'F', PFace}, {'h', PHigh}, {'t', PShad}, {'d', PDark}};

class TPaintTest : public TShineFixture {
protected:
    TPaintTest() {
        TShineBtnColors* c = Button->Colors();
        c->SetColor(Face);
        c->SetHighlight(High);
        c->SetShadow(Shad);
        c->SetDarkShadow(Dark);
        TShineBtnColors* p = Button->PressedColors();
        p->SetColor(PFace);
        p->SetHighlight(PHigh);
        p->SetShadow(PShad);
        p->SetDarkShadow(PDark);
    }

    void Resize(int Width, int Height) {
        Button->SetBounds(Button->Left(), Button->Top(), Width, Height);
        Settle();
    }
    void MakeDown() {
        Button->SetGroupIndex(1);
        Button->SetDown(true);
        Settle();
    }
    TPicture Read() const {
        TPicture rows(Button->Height(), std::string(Button->Width(), '?'));
        for (int y = 0; y < Button->Height(); ++y)
            for (int x = 0; x < Button->Width(); ++x)
                for (const auto& [letter, color] : Letters)
                    if (At(Button, x, y) == color)
                        rows[y][x] = letter;
        return rows;
    }
};

struct TFrameCase {
    const char* Name;
    TFrameType Type;
    bool Pressed;
    TPicture Expected;
};

class TFrameStrokes : public TPaintTest, public testing::WithParamInterface<TFrameCase> {};

TEST_P(TFrameStrokes, PaintEveryStrokeWithoutItsEndPoint) {
    const TFrameCase& c = GetParam();
    Button->SetFrameType(c.Type);
    Resize(6, 5);
    if (c.Pressed)
        MakeDown();
    EXPECT_EQ(Read(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    ShineSpdBtn, TFrameStrokes,
    testing::Values(
        // The top-right and bottom-left corners keep the background.
        TFrameCase{
            "FlatRaised", ftFlatFrame, false, {"HHHHHf", "Hffffs", "Hffffs", "Hffffs", "fsssss"}},
        TFrameCase{
            "FlatPressed", ftFlatFrame, true, {"tttttF", "tFFFFh", "tFFFFh", "tFFFFh", "Fhhhhh"}},
        TFrameCase{"NormalRaised",
                   ftNormalFrame,
                   false,
                   {"HHHHHf", "HfffsD", "HfffsD", "HssssD", "fDDDDD"}},
        TFrameCase{"NormalPressed",
                   ftNormalFrame,
                   true,
                   {"dddddF", "dtttth", "dtFFFh", "dtFFFh", "Fhhhhh"}},
        // The outline is the up set's dark shadow in both looks.
        TFrameCase{"EnclosedRaised",
                   ftEnclosedFrame,
                   false,
                   {"DDDDDD", "DHHHfD", "DHffsD", "DfsssD", "DDDDDD"}},
        TFrameCase{"EnclosedPressed",
                   ftEnclosedFrame,
                   true,
                   {"DDDDDD", "DtttFD", "DtFFhD", "DFhhhD", "DDDDDD"}}),
    [](const testing::TestParamInfo<TFrameCase>& Info) { return Info.param.Name; });

TEST_F(TPaintTest, FrameFlagsChooseByState) {
    Resize(6, 5);
    const TPicture flatUp{"ffffff", "ffffff", "ffffff", "ffffff", "ffffff"};
    Button->SetUpFrame(false);
    Settle();
    EXPECT_EQ(Read(), flatUp);
    // Disabled uses the up frame flag too.
    Button->SetEnabled(false);
    Settle();
    EXPECT_EQ(Read(), flatUp);
    Button->SetEnabled(true);
    Button->SetDownFrame(false);
    MakeDown();
    EXPECT_EQ(Read(), (TPicture{"FFFFFF", "FFFFFF", "FFFFFF", "FFFFFF", "FFFFFF"}));
}

TEST_F(TPaintTest, GradientStripStepsTruncateTowardZero) {
    Button->SetUpFrame(false);
    Button->Colors()->SetColor(RGB(100, 0, 0));
    Button->Colors()->SetGradColor(RGB(0, 0, 0));
    Button->Colors()->SetGradation(true);
    Form->SetBounds(Form->Left(), Form->Top(), 300, 300);
    Button->SetBounds(0, 0, 256, 3);
    Settle();
    const int steps[] = {0, 1, 128, 254, 255};
    const int reds[] = {100, 100, 50, 1, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(Button, steps[i], 1), RGB(reds[i], 0, 0)) << "step " << steps[i];

    // Vertical: Color at the top, GradColor at the bottom.
    Button->Colors()->SetGradVertical(true);
    Button->SetBounds(0, 0, 3, 256);
    Settle();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(Button, 1, steps[i]), RGB(reds[i], 0, 0)) << "step " << steps[i];
}

TEST_F(TPaintTest, GradientStretchesOverTheButton) {
    Button->SetUpFrame(false);
    Button->Colors()->SetColor(RGB(0, 0, 0));
    Button->Colors()->SetGradColor(RGB(0, 255, 0));
    Button->Colors()->SetGradation(true);
    Resize(2, 2);
    // Two columns sample the strip's centres of each half: steps 64 and 192.
    EXPECT_EQ(At(Button, 0, 0), RGB(0, 64, 0));
    EXPECT_EQ(At(Button, 1, 1), RGB(0, 192, 0));
}

TEST_F(TPaintTest, TransparentDrawsNoBackground) {
    Button->SetUpFrame(false);
    Button->Colors()->SetGradation(true);
    Button->SetTransparent(true);
    Settle();
    EXPECT_EQ(At(Button, 10, 10), clWhite);
}

TEST_F(TPaintTest, PressedMovesTheGlyphButNotTheBackground) {
    Resize(25, 25);
    Button->SetUpFrame(false);
    Button->SetDownFrame(false);
    TBitmap glyph;
    glyph.SetSize(2, 2);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 2, 2));
    glyph.SetPixel(0, 1, clLime); // the transparent colour
    Button->SetGlyph(&glyph);
    Settle();
    // (25 - 2) / 2 = 11.
    EXPECT_EQ(At(Button, 11, 11), clRed);
    EXPECT_EQ(At(Button, 12, 12), clRed);
    EXPECT_EQ(At(Button, 11, 12), Face);
    MakeDown();
    EXPECT_EQ(At(Button, 11, 11), PFace);
    EXPECT_EQ(At(Button, 12, 12), clRed);
    EXPECT_EQ(At(Button, 13, 13), clRed);
    EXPECT_EQ(At(Button, 12, 13), PFace);
}

TEST_F(TPaintTest, DisabledDefaultGlyphIsEtchedInTheTwoDisabledColours) {
    Resize(25, 25);
    Button->SetUpFrame(false);
    Button->SetDisabledHighlight(PHigh);
    Button->SetDisabledShadow(PShad);
    TBitmap glyph;
    glyph.SetSize(3, 3);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(Rect(0, 0, 3, 3));
    glyph.SetPixel(1, 1, clBlack);
    Button->SetGlyph(&glyph);
    Button->SetEnabled(false);
    Settle();
    EXPECT_EQ(Button->State(), sbsDisabled);
    // The stencil is set at (0..1, 0..1) of the glyph at (11, 11): the light copy one pixel
    // down-right, the dark copy over it.
    std::vector<std::string> area;
    for (int y = 10; y < 15; ++y) {
        std::string row;
        for (int x = 10; x < 15; ++x) {
            TColor c = At(Button, x, y);
            row += c == Face ? 'f' : c == PHigh ? 'h' : c == PShad ? 't' : '?';
        }
        area.push_back(row);
    }
    EXPECT_EQ(area, (std::vector<std::string>{"fffff", "fttff", "ftthf", "ffhhf", "fffff"}));
}

// The caption through the platform's own text drawing, for comparison.
class TCaptionTest : public TPaintTest {
protected:
    TCaptionTest() {
        Resize(60, 24);
        Button->SetUpFrame(false);
        Button->SetDownFrame(false);
        for (TFont* font : {Button->Font(), Button->ActiveFont()}) {
            font->SetQuality(fqNonAntialiased);
            font->SetColor(clBlack);
        }
        Button->SetCaption("Ab");
        Settle();
    }
    // Face, then each copy of the caption in its colour and offset, in order.
    std::unique_ptr<TBitmap> Expected(TColor Background,
                                      const std::vector<std::pair<TColor, TPoint>>& Copies) {
        auto expected = std::make_unique<TBitmap>();
        expected->SetSize(Button->Width(), Button->Height());
        TCanvas* canvas = expected->Canvas();
        canvas->Brush()->SetColor(Background);
        canvas->FillRect(Rect(0, 0, Button->Width(), Button->Height()));
        canvas->SetFont(Button->Font());
        TPoint glyphPos;
        TRect textRect;
        Button->CalcDrawPosition(canvas, glyphPos, textRect);
        canvas->Brush()->SetStyle(bsClear);
        for (const auto& [color, offset] : Copies) {
            canvas->Font()->SetColor(color);
            TRect r = textRect;
            OffsetRect(r, offset.X, offset.Y);
            DrawText(canvas->Handle(), "Ab", 2, &r, DT_CENTER | DT_VCENTER);
        }
        return expected;
    }
    void ExpectCaption(const std::unique_ptr<TBitmap>& Expected) {
        int differing = 0;
        for (int y = 0; y < Button->Height(); ++y)
            for (int x = 0; x < Button->Width(); ++x)
                differing += At(Button, x, y) != Expected->GetPixel(x, y);
        EXPECT_EQ(differing, 0);
    }
};

TEST_F(TCaptionTest, PlainCaptionIsDrawnOnce) {
    ExpectCaption(Expected(Face, {{clBlack, {0, 0}}}));
}

TEST_F(TCaptionTest, ShadowCopyGoesDownRight) {
    Button->SetFontShadow(clBlue);
    Settle();
    ExpectCaption(Expected(Face, {{clBlue, {1, 1}}, {clBlack, {0, 0}}}));
}

TEST_F(TCaptionTest, HighlightCopyGoesUpLeft) {
    Button->SetFontHighlight(clRed);
    Settle();
    ExpectCaption(Expected(Face, {{clRed, {-1, -1}}, {clBlack, {0, 0}}}));
}

TEST_F(TCaptionTest, PressedMovesTheCaption) {
    Button->SetFontShadow(clBlue);
    MakeDown();
    ExpectCaption(Expected(PFace, {{clBlue, {2, 2}}, {clBlack, {1, 1}}}));
}

TEST_F(TCaptionTest, DisabledUsesTheDisabledColoursWhateverTheFont) {
    Button->SetFontShadow(clBlue);
    Button->SetDisabledHighlight(clWhite);
    Button->SetDisabledShadow(clGray);
    Button->SetEnabled(false);
    Settle();
    ExpectCaption(Expected(Face, {{clWhite, {1, 1}}, {clGray, {0, 0}}}));
}

} // namespace
