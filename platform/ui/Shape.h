#pragma once

#include "platform/ui/GraphicControl.h"

#include <cstdint>
#include <memory>

class TBrush;
class TPen;

enum TShapeType : std::uint8_t {
    stRectangle,
    stSquare,
    stRoundRect,
    stRoundSquare,
    stEllipse,
    stCircle
};

// A figure filled with Brush and outlined with Pen, inside the control's rectangle inset by
// half the pen's width. The square, round square and circle are centred in the control.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;
    AnsiString ClassName() const override { return "TShape"; }

    // Owned; their changes repaint. The setters copy.
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType Value);

protected:
    void Paint() override;

private:
    void StyleChanged(TObject* Sender);

    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    TShapeType FShape = stRectangle;
};
