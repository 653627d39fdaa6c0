#include "ShadoLblTest.h"

#include "platform/base/MultiByte.h"

namespace {

// The margin of form pixels compared around each label, to see that nothing spills.
constexpr int Margin = 4;

TRect Around(const TShadowLabel* L) {
    return Rect(L->Left() - Margin, L->Top() - Margin, L->Left() + L->Width() + Margin,
                L->Top() + L->Height() + Margin);
}

// The label's rectangle inside the picture of Around.
TRect Inside(const TShadowLabel* L) {
    return Rect(Margin, Margin, Margin + L->Width(), Margin + L->Height());
}

unsigned FlagsOf(const TShadowLabel* L) {
    return DT_LEFT | DT_EXPANDTABS | (L->ShowAccelChar() ? 0 : DT_NOPREFIX);
}

TMask MaskOf(TShadowLabel* L, const AnsiString& Text) {
    return TextMask(L->Font(), Text, L->Width(), L->Height(), FlagsOf(L));
}

// The form's colour around and under the label.
TPixels Plain(const TShadowLabel* L, TColor Under) {
    TRect a = Around(L);
    return TPixels(a.Width(), a.Height(), ColorToRGB(Under));
}

// Shadow (when visible) and highlight (when visible) of Text as the label would put them,
// each at its offset plus DY, in the given colours.
void ShadowLayers(TPixels& P, TShadowLabel* L, const TMask& Text, int DY, TColor ShadowColor,
                  TColor HighlightColor) {
    if (L->Shadow()->Visible())
        Layer(P, Text, L->Shadow()->OffsetLeft(), L->Shadow()->OffsetTop() + DY, ShadowColor,
              Inside(L));
    if (L->Highlight()->Visible())
        Layer(P, Text, L->Highlight()->OffsetLeft(), L->Highlight()->OffsetTop() + DY,
              HighlightColor, Inside(L));
}

using ShadowLabelPaint = ShadowLabelTest;

TEST_F(ShadowLabelPaint, TransparentShowsWhatLiesBeneathEvenWithAGradient) {
    TForm* form = NewForm();
    auto* pattern = new TPattern(form);
    pattern->SetBounds(10, 10, 120, 50);
    pattern->SetParent(form);
    TShadowLabel* label = NewLabel(form, 20, 20, "Ab①");
    label->Font()->SetColor(clNavy);
    label->SetTransparent(true);
    label->SetGradation(true);
    label->SetGradationColor(clRed);
    label->SetColor(clYellow);

    TPixels expected = Plain(label, clWhite);
    const TRect around = Around(label);
    for (int y = 0; y < expected.H; ++y)
        for (int x = 0; x < expected.W; ++x)
            expected.Set(x, y, TPattern::At(around.Left + x - 10, around.Top + y - 10));
    const TMask text = MaskOf(label, "Ab①");
    ShadowLayers(expected, label, text, 0, clSilver, clWhite);
    Layer(expected, text, 0, 0, clNavy, Inside(label));
    EXPECT_TRUE(SamePixels(expected, Shown(form, around)));
}

struct TBackgroundCase {
    const char* Name;
    friend void PrintTo(const TBackgroundCase& C, std::ostream* Out) { *Out << C.Name; }
    bool Gradation;
    bool Vertical;
    bool Flickerless;
};

class ShadowLabelBackground : public ShadowLabelTest,
                              public ::testing::WithParamInterface<TBackgroundCase> {};

TEST_P(ShadowLabelBackground, FillsTheClientAreaUnderShadowHighlightAndText) {
    const TBackgroundCase& c = GetParam();
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 15, "Ab");
    label->SetAutoSize(false);
    label->SetBounds(20, 15, 70, 30);
    label->Font()->SetColor(clNavy);
    label->SetColor(0x20C040);
    label->SetGradationColor(0xFF8020);
    label->SetGradation(c.Gradation);
    label->SetGradateVert(c.Vertical);
    label->SetFlickerless(c.Flickerless);

    TPixels expected = Plain(label, clWhite);
    const TRect in = Inside(label);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 70; ++x) {
            TColor colour = !c.Gradation ? 0x20C040
                            : c.Vertical ? ExtendedColor(0xFF8020, 0x20C040, y, 30)
                                         : ExtendedColor(0xFF8020, 0x20C040, x, 70);
            expected.Set(in.Left + x, in.Top + y, colour);
        }
    const TMask text = MaskOf(label, "Ab");
    ShadowLayers(expected, label, text, 0, clSilver, clWhite);
    Layer(expected, text, 0, 0, clNavy, in);
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

INSTANTIATE_TEST_SUITE_P(Paths, ShadowLabelBackground,
                         ::testing::Values(TBackgroundCase{"PlainFlickerless", false, false, true},
                                           TBackgroundCase{"PlainDirect", false, false, false},
                                           TBackgroundCase{"HorizontalFlickerless", true, false,
                                                           true},
                                           TBackgroundCase{"HorizontalDirect", true, false, false},
                                           TBackgroundCase{"VerticalFlickerless", true, true, true},
                                           TBackgroundCase{"VerticalDirect", true, true, false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShadowLabelPaint, OffsetCopiesAreCutAtTheControlsEdges) {
    TForm* form = NewForm(160, 80, 0xE0E0E0);
    TShadowLabel* label = NewLabel(form, 30, 20, "WM");
    label->SetColor(clWhite);
    label->Shadow()->SetShadowColor(clRed);
    label->Shadow()->SetShadowLeft(4);
    label->Shadow()->SetShadowTop(4);
    label->Highlight()->SetShadowColor(clLime);
    label->Highlight()->SetShadowLeft(-4);
    label->Highlight()->SetShadowTop(-4);
    Host.ProcessMessages();

    const TMask text = MaskOf(label, "WM");
    // The fixture only shows clipping if the moved copies would reach past the edges.
    int cutRight = 0, cutLeft = 0;
    for (int y = 0; y < text.H; ++y)
        for (int x = 0; x < text.W; ++x)
            if (text.At(x, y)) {
                cutRight += x + 4 >= text.W || y + 4 >= text.H;
                cutLeft += x - 4 < 0 || y - 4 < 0;
            }
    ASSERT_GT(cutRight, 0);
    ASSERT_GT(cutLeft, 0);

    TPixels expected = Plain(label, 0xE0E0E0);
    const TRect in = Inside(label);
    for (int y = in.Top; y < in.Bottom; ++y)
        for (int x = in.Left; x < in.Right; ++x)
            expected.Set(x, y, clWhite);
    ShadowLayers(expected, label, text, 0, clRed, clLime);
    Layer(expected, text, 0, 0, clBlack, in);
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

struct TLayoutCase {
    const char* Name;
    friend void PrintTo(const TLayoutCase& C, std::ostream* Out) { *Out << C.Name; }
    TTextLayout Layout;
};

class ShadowLabelLayout : public ShadowLabelTest,
                          public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(ShadowLabelLayout, MovesTheTextAndItsCopiesDown) {
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 20, "Ab", -12);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 40, 21);
    label->Shadow()->SetShadowColor(clRed);
    label->SetColor(clWhite);
    label->SetLayout(GetParam().Layout);

    const int textHeight = Measured(label->Font(), "Ab", DT_EXPANDTABS).Bottom;
    // A 12-pixel font in a 21-pixel control: the centred text moves 4 pixels down.
    ASSERT_EQ((21 - textHeight) / 2, 4);
    const int dy = GetParam().Layout == tlTop      ? 0
                   : GetParam().Layout == tlCenter ? 4
                                                   : 21 - textHeight;
    TPixels expected = Plain(label, clWhite);
    const TMask text = MaskOf(label, "Ab");
    ShadowLayers(expected, label, text, dy, clRed, clWhite);
    Layer(expected, text, 0, dy, clBlack, Inside(label));
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ShadowLabelLayout,
                         ::testing::Values(TLayoutCase{"Top", tlTop},
                                           TLayoutCase{"Center", tlCenter},
                                           TLayoutCase{"Bottom", tlBottom}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// Colours with the label's defaults: font black, TextMidColor clNavy, TextGradationColor
// clMaroon.
struct TGradientTextCase {
    const char* Name;
    friend void PrintTo(const TGradientTextCase& C, std::ostream* Out) { *Out << C.Name; }
    AnsiString Caption;
    TTextGradation Gradation;
    std::vector<TColor> Colours; // one per character, left to right
    TAlignment Alignment = taLeftJustify;
    bool Enabled = true;
};

class ShadowLabelGradientText : public ShadowLabelTest,
                                public ::testing::WithParamInterface<TGradientTextCase> {};

TEST_P(ShadowLabelGradientText, ColoursEachCharacterFromTheLeftEdge) {
    const TGradientTextCase& c = GetParam();
    TForm* form = NewForm(200, 60);
    TShadowLabel* label = NewLabel(form, 10, 10, c.Caption);
    label->Shadow()->SetShadowVisible(false);
    label->Highlight()->SetShadowVisible(false);
    label->SetColor(clWhite);
    label->SetTextGradation(c.Gradation);
    label->SetAlignment(c.Alignment);
    label->SetEnabled(c.Enabled);
    // Room to the right, so that an alignment that wrongly applied would show.
    label->SetAutoSize(false);
    label->SetWidth(label->Width() + 30);

    TPixels expected = Plain(label, clWhite);
    std::vector<AnsiString> characters;
    for (std::size_t at = 0; at < c.Caption.size();) {
        std::size_t next = NextCharOffset(c.Caption.data(), c.Caption.size(), at);
        characters.push_back(c.Caption.substr(at, next - at));
        at = next;
    }
    ASSERT_EQ(characters.size(), c.Colours.size());
    int x = 0;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        const int w = TextWidthIn(label->Font(), characters[k]);
        const TMask glyph = TextMask(label->Font(), characters[k], label->Width(), label->Height(),
                                     Rect(x, 0, x + w, label->Height()), FlagsOf(label));
        ASSERT_GT(glyph.Count(), 0) << characters[k];
        Layer(expected, glyph, 0, 0, c.Colours[k], Inside(label));
        x += w;
    }
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ShadowLabelGradientText,
    ::testing::Values(
        // The last character right after the middle one, in the last colour.
        TGradientTextCase{"CircledThree", "①②③", tg3Colors, {clBlack, clNavy, clMaroon}},
        TGradientTextCase{"Abcd", "abcd", tg3Colors, {clBlack, clNavy, clNavy, clMaroon}},
        TGradientTextCase{"Abc", "abc", tg3Colors, {clBlack, clNavy, clMaroon}},
        // The split point inside "③" moves to its end: "①②③" and "④⑤".
        TGradientTextCase{
            "CircledFive", "①②③④⑤", tg3Colors, {clBlack, 0x400000, clNavy, clNavy, clMaroon}},
        // Two characters: two colours, the middle colour unused.
        TGradientTextCase{"TwoUnderThreeColours", "ab", tg3Colors, {clBlack, clMaroon}},
        TGradientTextCase{"TwoColours", "abc", tg2Colors, {clBlack, 0x000040, clMaroon}},
        // One character never takes the gradient.
        TGradientTextCase{"OneCircled", "①", tg2Colors, {clBlack}},
        TGradientTextCase{"OneLetter", "a", tg3Colors, {clBlack}},
        TGradientTextCase{"NoGradation", "abc", tgNone, {clBlack, clBlack, clBlack}},
        // Alignment does not place the gradient text, single-character pieces included.
        TGradientTextCase{
            "RightJustified", "abc", tg3Colors, {clBlack, clNavy, clMaroon}, taRightJustify},
        TGradientTextCase{"Centered", "①②③", tg3Colors, {clBlack, clNavy, clMaroon}, taCenter},
        // A disabled label keeps the gradient colours.
        TGradientTextCase{
            "Disabled", "abc", tg2Colors, {clBlack, 0x000040, clMaroon}, taLeftJustify, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShadowLabelPaint, AnEmptyCaptionPaintsTheBackgroundOnly) {
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 20, "");
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 30, 20);
    label->SetColor(0x20C040);
    label->Shadow()->SetShadowColor(clRed);
    label->Highlight()->SetShadowColor(clBlue);

    TPixels expected = Plain(label, clWhite);
    const TRect in = Inside(label);
    for (int y = in.Top; y < in.Bottom; ++y)
        for (int x = in.Left; x < in.Right; ++x)
            expected.Set(x, y, 0x20C040);
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

struct TAmpersandCase {
    const char* Name;
    friend void PrintTo(const TAmpersandCase& C, std::ostream* Out) { *Out << C.Name; }
    bool ShowAccelChar;
    AnsiString Drawn; // what the label must look like it drew
};

class ShadowLabelAmpersand : public ShadowLabelTest,
                             public ::testing::WithParamInterface<TAmpersandCase> {};

TEST_P(ShadowLabelAmpersand, ALoneAmpersand) {
    const TAmpersandCase& c = GetParam();
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 20, "&");
    label->SetShowAccelChar(c.ShowAccelChar);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 30, 22);
    label->SetColor(clWhite);
    label->Shadow()->SetShadowColor(clRed);
    label->Highlight()->SetShadowVisible(false);

    const TMask text = MaskOf(label, c.Drawn);
    // "& " underlines the blank: the appended blank leaves a mark.
    ASSERT_GT(text.Count(), 0);
    TPixels expected = Plain(label, clWhite);
    ShadowLayers(expected, label, text, 0, clRed, clWhite);
    Layer(expected, text, 0, 0, clBlack, Inside(label));
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

INSTANTIATE_TEST_SUITE_P(Accel, ShadowLabelAmpersand,
                         ::testing::Values(TAmpersandCase{"Shown", true, "& "},
                                           TAmpersandCase{"AsWritten", false, "&"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

class ShadowLabelDisabled : public ShadowLabelTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ShadowLabelDisabled, UsesGrayAndTheButtonColours) {
    const bool highlight = GetParam();
    SetSysColor(COLOR_BTNSHADOW, 0x224466);
    SetSysColor(COLOR_BTNHIGHLIGHT, 0x66CC22);
    TForm* form = NewForm();
    TShadowLabel* label = NewLabel(form, 20, 20, "Ab①");
    label->SetColor(clWhite);
    label->Font()->SetColor(clRed);
    label->Highlight()->SetShadowVisible(highlight);
    label->SetEnabled(false);

    TPixels expected = Plain(label, clWhite);
    const TMask text = MaskOf(label, "Ab①");
    Layer(expected, text, 1, 1, 0x808080, Inside(label));
    if (highlight)
        Layer(expected, text, -1, -1, 0x66CC22, Inside(label));
    Layer(expected, text, 0, 0, 0x224466, Inside(label));
    EXPECT_TRUE(SamePixels(expected, Shown(form, Around(label))));
}

INSTANTIATE_TEST_SUITE_P(Highlight, ShadowLabelDisabled, ::testing::Values(false, true),
                         [](const auto& Info) {
                             return std::string(Info.param ? "Visible" : "Hidden");
                         });

} // namespace
