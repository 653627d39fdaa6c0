#include "platform/ui/Shape.h"

#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

// The columns [Left, Right) that row Row covers of a Width by Height figure whose corners
// are quarters of an EllipseWidth by EllipseHeight ellipse (a rectangle when either is 0, an
// ellipse when they are the figure's size); sampled at pixel centres.
struct TSpan {
    int Left = 0;
    int Right = 0;
};

TSpan RowSpan(int Width, int Height, int EllipseWidth, int EllipseHeight, int Row) {
    const double rx = std::min(EllipseWidth, Width) / 2.0;
    const double ry = std::min(EllipseHeight, Height) / 2.0;
    if (rx <= 0 || ry <= 0)
        return {0, Width};
    const double yc = Row + 0.5;
    double dy = 0;
    if (yc < ry)
        dy = ry - yc;
    else if (yc > Height - ry)
        dy = yc - (Height - ry);
    const double t = std::max(0.0, 1.0 - (dy / ry) * (dy / ry));
    const int inset = static_cast<int>(std::lround(rx - rx * std::sqrt(t)));
    return {inset, std::max(inset, Width - inset)};
}

// A rounded figure with the canvas's pen and brush, following the rectangle's rules: a clear
// pen leaves out the last column and row, a pen of width n draws an n-pixel outline inside.
void RoundFigure(TCanvas* C, int X1, int Y1, int X2, int Y2, int EllipseWidth, int EllipseHeight) {
    const bool pen = C->Pen()->Style() != psClear;
    if (!pen) {
        --X2;
        --Y2;
    }
    const int w = X2 - X1;
    const int h = Y2 - Y1;
    if (w <= 0 || h <= 0)
        return;
    const int pw = pen ? std::max(1, C->Pen()->Width()) : 0;
    const TColor brushColor = C->Brush()->Color();
    const bool fill = C->Brush()->Style() != bsClear;
    for (int row = 0; row < h; ++row) {
        TSpan outer = RowSpan(w, h, EllipseWidth, EllipseHeight, row);
        TSpan inner{outer.Right, outer.Right};
        const int innerRow = row - pw;
        if (innerRow >= 0 && innerRow < h - 2 * pw) {
            inner = RowSpan(w - 2 * pw, h - 2 * pw, EllipseWidth - 2 * pw, EllipseHeight - 2 * pw,
                            innerRow);
            inner.Left += pw;
            inner.Right += pw;
            if (inner.Left >= inner.Right)
                inner = {outer.Right, outer.Right};
        }
        const int y = Y1 + row;
        if (fill && inner.Left < inner.Right) {
            C->Brush()->SetColor(brushColor);
            C->FillRect(Rect(X1 + inner.Left, y, X1 + inner.Right, y + 1));
        }
        if (pen) {
            C->Brush()->SetColor(C->Pen()->Color());
            C->FillRect(Rect(X1 + outer.Left, y, X1 + inner.Left, y + 1));
            C->FillRect(Rect(X1 + inner.Right, y, X1 + outer.Right, y + 1));
        }
    }
    C->Brush()->SetColor(brushColor);
    if (!fill)
        C->Brush()->SetStyle(bsClear);
}

} // namespace

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(Left(), Top(), 65, 65);
    FBrush->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
    FPen->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
}

TShape::~TShape() {
    FBrush->SetOnChange({});
    FPen->SetOnChange({});
}

void TShape::SetBrush(TBrush* Value) {
    FBrush->Assign(Value);
}

void TShape::SetPen(TPen* Value) {
    FPen->Assign(Value);
}

void TShape::SetShape(TShapeType Value) {
    if (FShape == Value)
        return;
    FShape = Value;
    Invalidate();
}

void TShape::StyleChanged(TObject*) {
    Invalidate();
}

void TShape::Paint() {
    TCanvas* c = Canvas();
    c->SetPen(FPen.get());
    c->SetBrush(FBrush.get());
    const int pw = FPen->Width();
    int x = pw / 2;
    int y = x;
    int w = Width() - pw + 1;
    int h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = s;
        h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare:
        c->Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare:
        RoundFigure(c, x, y, x + w, y + h, s / 4, s / 4);
        break;
    case stEllipse:
    case stCircle:
        RoundFigure(c, x, y, x + w, y + h, w, h);
        break;
    }
}
