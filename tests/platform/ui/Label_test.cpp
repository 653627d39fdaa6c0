#include "platform/ui/Label.h"

#include "StockFixture.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "platform/ui/Shape.h"

#include <climits>
#include <set>

namespace {

// The inked area of a rectangle of the window: the pixels that differ from Background.
TRect InkedArea(const THeadlessWindow& Window, const TRect& R, TColor Background) {
    TRect ink{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (Window.ScreenPixel(x, y) != Background) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
    return ink;
}

std::set<TColor> ColoursIn(const THeadlessWindow& Window, const TRect& R) {
    std::set<TColor> colours;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            colours.insert(Window.ScreenPixel(x, y));
    return colours;
}

class LabelTest : public StockFixture {
protected:
    TLabel* MakeLabel(int Left, int Top, const AnsiString& Caption) {
        auto* label = new TLabel(Form);
        label->SetLeft(Left);
        label->SetTop(Top);
        label->SetParent(Form);
        label->Font()->SetName("ＭＳ Ｐゴシック");
        label->Font()->SetHeight(-12);
        label->Font()->SetColor(clBlack);
        label->Font()->SetQuality(fqNonAntialiased);
        label->SetCaption(Caption);
        return label;
    }

    // One line of Text in the labels' font, without prefix processing.
    TPoint Extent(const AnsiString& Text) {
        TCanvas canvas;
        canvas.Font()->SetName("ＭＳ Ｐゴシック");
        canvas.Font()->SetHeight(-12);
        return GetTextExtent(canvas.Handle(), Text.c_str(), static_cast<int>(Text.size()));
    }
};

TEST_F(LabelTest, Defaults) {
    auto* label = new TLabel(Form);
    EXPECT_EQ(label->Width(), 65);
    EXPECT_EQ(label->Height(), 17);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_TRUE(label->ShowAccelChar());
    EXPECT_FALSE(label->Transparent());
    EXPECT_NE(label->ControlStyle() & csOpaque, 0u);
    EXPECT_EQ(label->Alignment(), taLeftJustify);
    EXPECT_EQ(label->Layout(), tlTop);
    EXPECT_FALSE(label->WordWrap());
    label->SetTransparent(true);
    EXPECT_EQ(label->ControlStyle() & csOpaque, 0u);
}

TEST_F(LabelTest, AutoSizeTakesTheTextsSizeAndKeepsTheLeftEdge) {
    auto* label = MakeLabel(30, 40, "Hello");
    TPoint hello = Extent("Hello");
    EXPECT_EQ(label->BoundsRect(), Bounds(30, 40, hello.X, hello.Y));

    label->SetCaption("&Save");
    EXPECT_EQ(label->Width(), Extent("Save").X) << "the access key mark takes no room";
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->Width(), Extent("&Save").X);

    label->SetCaption("");
    EXPECT_EQ(label->Width(), Extent(" ").X) << "an empty caption measures as a blank";
    EXPECT_EQ(label->Height(), hello.Y);

    label->SetCaption("Hello");
    label->Font()->SetHeight(-24);
    EXPECT_GT(label->Width(), hello.X) << "a font change resizes";
    EXPECT_EQ(label->Left(), 30);
}

TEST_F(LabelTest, RightJustifiedAutoSizeKeepsTheRightEdge) {
    auto* label = MakeLabel(100, 10, "");
    label->SetAutoSize(false);
    label->SetBounds(100, 10, 65, 17);
    label->SetAlignment(taRightJustify);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Left() + label->Width(), 165);
    label->SetCaption("A longer caption");
    EXPECT_EQ(label->Width(), Extent("A longer caption").X);
    EXPECT_EQ(label->Left() + label->Width(), 165);
}

TEST_F(LabelTest, WithoutAutoSizeTheBoundsStay) {
    auto* label = MakeLabel(0, 0, "");
    label->SetAutoSize(false);
    label->SetBounds(5, 6, 70, 20);
    label->SetCaption("Hello");
    EXPECT_EQ(label->BoundsRect(), Bounds(5, 6, 70, 20));
}

TEST_F(LabelTest, WordWrapBreaksWithinTheWidth) {
    auto* label = MakeLabel(0, 0, "");
    label->SetAutoSize(false);
    label->SetWidth(Extent("Hello").X + 2);
    label->SetWordWrap(true);
    label->SetCaption("Hello Hello");
    label->SetAutoSize(true);
    EXPECT_EQ(label->Height(), 2 * Extent("Hello").Y);
    EXPECT_EQ(label->Width(), Extent("Hello").X);
}

TEST_F(LabelTest, OpaquePaintFillsWithColourAndDrawsTheText) {
    auto* label = MakeLabel(10, 10, "Hello");
    label->SetColor(clYellow);
    Host.ProcessMessages();
    TRect bounds = label->BoundsRect();
    EXPECT_EQ(ColoursIn(Window(), bounds), (std::set<TColor>{clYellow, clBlack}));
    EXPECT_EQ(Shown(bounds.Right, 10), clWhite);
}

TEST_F(LabelTest, DisabledTextIsEmbossed) {
    auto* label = MakeLabel(10, 10, "Hello");
    label->SetColor(clYellow);
    label->SetEnabled(false);
    Host.ProcessMessages();
    EXPECT_EQ(ColoursIn(Window(), label->BoundsRect()),
              (std::set<TColor>{clYellow, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow)}));
}

TEST_F(LabelTest, TransparentLabelShowsWhatLiesBeneath) {
    auto* shape = Place<TShape>(0, 0, 100, 50);
    shape->Brush()->SetColor(clLime);
    shape->Pen()->SetStyle(psClear);
    auto* label = MakeLabel(10, 10, "Hello");
    label->SetTransparent(true);
    Host.ProcessMessages();
    EXPECT_EQ(ColoursIn(Window(), label->BoundsRect()), (std::set<TColor>{clLime, clBlack}));
    label->SetTransparent(false);
    Host.ProcessMessages();
    EXPECT_TRUE(ColoursIn(Window(), label->BoundsRect()).contains(clWhite))
        << "opaque again: the label's colour, the form's white";
}

TEST_F(LabelTest, LayoutMovesTheTextDown) {
    auto* label = MakeLabel(0, 0, "Hello");
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 80, 21);
    label->SetColor(clWhite);
    const int lineHeight = Extent("Hello").Y;
    Host.ProcessMessages();
    const int top = InkedArea(Window(), Rect(0, 0, 80, 21), clWhite).Top;
    label->SetLayout(tlCenter);
    Host.ProcessMessages();
    EXPECT_EQ(InkedArea(Window(), Rect(0, 0, 80, 21), clWhite).Top, top + (21 - lineHeight) / 2);
    label->SetLayout(tlBottom);
    Host.ProcessMessages();
    EXPECT_EQ(InkedArea(Window(), Rect(0, 0, 80, 21), clWhite).Top, top + 21 - lineHeight);
}

TEST_F(LabelTest, AlignmentPlacesTheTextAcrossTheWidth) {
    auto* label = MakeLabel(0, 0, "Hello");
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 100, 17);
    label->SetColor(clWhite);
    const int slack = 100 - Extent("Hello").X;
    Host.ProcessMessages();
    const int left = InkedArea(Window(), Rect(0, 0, 100, 17), clWhite).Left;
    label->SetAlignment(taRightJustify);
    Host.ProcessMessages();
    EXPECT_EQ(InkedArea(Window(), Rect(0, 0, 100, 17), clWhite).Left, left + slack);
    label->SetAlignment(taCenter);
    Host.ProcessMessages();
    EXPECT_EQ(InkedArea(Window(), Rect(0, 0, 100, 17), clWhite).Left, left + slack / 2);
}

TEST_F(LabelTest, CaptionChangeRepaints) {
    auto* label = MakeLabel(0, 0, "Hello");
    label->SetColor(clWhite);
    Host.ProcessMessages();
    EXPECT_TRUE(ColoursIn(Window(), label->BoundsRect()).contains(clBlack));
    label->SetCaption(" ");
    Host.ProcessMessages();
    EXPECT_EQ(ColoursIn(Window(), Rect(0, 0, 60, 17)), (std::set<TColor>{clWhite}));
}

} // namespace
