#pragma once

#include "platform/ui/Control.h"

#include <vector>

class TCanvas;

// Whether Inner lies wholly inside Outer.
inline bool RectContains(const TRect& Outer, const TRect& Inner) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

// A control that holds other controls. Only forms have windows of their own: any other
// TWinControl is a container painted on its form's surface (its Color, then its children).
//
// Children are kept in stacking order: Controls(0) is painted first and hit last. Messages
// that concern every child (CM_DIALOGCHAR, CM_PARENTFONTCHANGED, CM_SYSCOLORCHANGE ...) go
// down through Broadcast.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    // Children it still holds lose their parent (they are freed by their owners).
    ~TWinControl() override;
    AnsiString ClassName() const override { return "TWinControl"; }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const { return FControls.at(Index); }
    // The child's index in the stacking order, -1 when it is no child.
    int IndexOfControl(const TControl* Control) const;

    // Adds AControl on top of the children and makes this its parent (leaving any parent it
    // had); RemoveControl takes it out and clears its parent. Both invalidate the child's
    // rectangle when it is visible.
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    // Hands Message to each child in stacking order (through its WndProc), stopping as soon
    // as one sets a non-zero Result.
    void Broadcast(TMessage& Message);

    // The topmost visible child whose rectangle holds Pos (client coordinates); enabled
    // unless AllowDisabled. Null when none.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled) const;
    // The deepest such control, going down through child TWinControls; this control itself
    // when no child is hit. ClientPos (optional) gets Pos in the found control's client
    // coordinates.
    TControl* DeepControlAtPos(TPoint Pos, bool AllowDisabled, TPoint* ClientPos = nullptr);

    // Paints Area (client coordinates) onto Canvas, a canvas on the form's surface whose
    // origin is at this control's client top-left: the background (PaintBackground), then
    // each visible child that meets Area, in stacking order, each clipped to itself. Graphic
    // children paint through their own canvas. A csOpaque child that covers all of Area
    // spares the background and the children beneath it.
    void PaintControls(TCanvas* Canvas, const TRect& Area);

    void Dispatch(TMessage& Message) override;

protected:
    // Fills Area with Color; a form or container with another background overrides it.
    virtual void PaintBackground(TCanvas* Canvas, const TRect& Area);

private:
    std::vector<TControl*> FControls;
    friend class TControl;
};
