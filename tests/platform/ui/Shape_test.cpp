#include "platform/ui/Shape.h"

#include "StockFixture.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr TColor PaleGreen = 0xE1FFE1;

using ShapeTest = StockFixture;

TEST_F(ShapeTest, ClearPenFillsOnePixelShortOnTheRightAndBottom) {
    auto* shape = Place<TShape>(120, 0, 120, 160);
    shape->Brush()->SetColor(PaleGreen);
    shape->Pen()->SetStyle(psClear);
    EXPECT_EQ(Shown(120, 0), PaleGreen);
    EXPECT_EQ(Shown(238, 158), PaleGreen);
    EXPECT_EQ(Shown(239, 0), clWhite) << "last column shows the form";
    EXPECT_EQ(Shown(120, 159), clWhite) << "last row shows the form";
    EXPECT_EQ(Shown(239, 159), clWhite);
    EXPECT_EQ(Shown(119, 10), clWhite) << "nothing left of the shape";
}

TEST_F(ShapeTest, SolidPenOutlinesTheWholeRectangle) {
    auto* shape = Place<TShape>(10, 10, 20, 10);
    shape->Brush()->SetColor(clYellow);
    shape->Pen()->SetColor(clNavy);
    EXPECT_EQ(Shown(10, 10), clNavy);
    EXPECT_EQ(Shown(29, 19), clNavy);
    EXPECT_EQ(Shown(11, 11), clYellow);
    EXPECT_EQ(Shown(28, 18), clYellow);
    EXPECT_EQ(Shown(30, 10), clWhite);
}

TEST_F(ShapeTest, PenWidthIsInsetByHalfItsWidth) {
    auto* shape = Place<TShape>(0, 0, 20, 20);
    shape->Brush()->SetColor(clYellow);
    shape->Pen()->SetColor(clNavy);
    shape->Pen()->SetWidth(3);
    // The outline is centred on the rectangle (1, 1, 19, 19) and stays inside the control.
    EXPECT_EQ(Shown(0, 0), clNavy);
    EXPECT_EQ(Shown(2, 2), clNavy);
    EXPECT_EQ(Shown(3, 3), clYellow);
    EXPECT_EQ(Shown(19, 19), clNavy);
}

TEST_F(ShapeTest, ChangesOfBrushPenAndShapeRepaint) {
    auto* shape = Place<TShape>(0, 0, 40, 40);
    shape->Pen()->SetStyle(psClear);
    shape->Brush()->SetColor(clRed);
    EXPECT_EQ(Shown(20, 20), clRed);
    shape->Brush()->SetColor(clBlue);
    EXPECT_EQ(Shown(20, 20), clBlue);
    shape->SetShape(stCircle);
    EXPECT_EQ(Shown(20, 20), clBlue);
    EXPECT_EQ(Shown(0, 0), clWhite) << "a circle leaves the corners";
    TBrush brush;
    brush.SetColor(clLime);
    shape->SetBrush(&brush);
    EXPECT_EQ(Shown(20, 20), clLime);
    EXPECT_NE(shape->Brush(), &brush) << "the shape keeps its own brush";
}

TEST_F(ShapeTest, SquaresAndCirclesAreCentred) {
    auto* shape = Place<TShape>(0, 0, 40, 20);
    shape->SetShape(stSquare);
    shape->Brush()->SetColor(clRed);
    shape->Pen()->SetColor(clRed);
    EXPECT_EQ(Shown(9, 10), clWhite);
    EXPECT_EQ(Shown(10, 10), clRed);
    EXPECT_EQ(Shown(29, 10), clRed);
    EXPECT_EQ(Shown(30, 10), clWhite);
}

} // namespace
