#pragma once

#include "platform/ui/Control.h"

class TCanvas;

// A windowless control: it has no window of its own and paints on its form's surface when
// the form paints an area that it intersects.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    AnsiString ClassName() const override { return "TGraphicControl"; }

    // A canvas on the form's surface with its origin at the control's top-left corner,
    // clipped to the control and, during Paint, to the area being painted. Without a form
    // it draws nowhere. What is drawn outside Paint shows after the next paint of the form
    // only where Paint draws the same.
    TCanvas* Canvas();

    // Paints Area (in the control's client coordinates) now: called by the form's painting
    // with the canvas set up; the control's own code calls Repaint or Invalidate instead.
    void PaintArea(const TRect& Area);

protected:
    // Draws the control on Canvas(); the default draws nothing.
    virtual void Paint();

private:
    void AimCanvas();

    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
};
