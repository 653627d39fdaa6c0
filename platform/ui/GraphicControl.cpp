#include "platform/ui/GraphicControl.h"

#include "platform/graphics/Canvas.h"
#include "platform/ui/Form.h"

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::AimCanvas() {
    TCustomForm* form = ParentFormOf();
    if (form == nullptr || form == static_cast<TControl*>(this)) {
        FCanvas->SetTarget(nullptr);
        return;
    }
    // The control's rectangle in form coordinates, narrowed by every container around it.
    TRect clip = Rect(0, 0, Width(), Height());
    TPoint offset;
    for (const TControl* c = this; c != form && c != nullptr; c = c->Parent()) {
        OffsetRect(clip, c->Left(), c->Top());
        offset.X += c->Left();
        offset.Y += c->Top();
        const TControl* parent = c->Parent();
        if (parent != nullptr && parent != form)
            clip = IntersectRect(clip, Rect(0, 0, parent->Width(), parent->Height()));
    }
    FCanvas->SetTarget(form->Surface());
    FCanvas->IntersectClip(clip);
    FCanvas->MoveOrigin(offset.X, offset.Y);
}

TCanvas* TGraphicControl::Canvas() {
    if (!FPainting)
        AimCanvas();
    return FCanvas.get();
}

void TGraphicControl::PaintArea(const TRect& Area) {
    AimCanvas();
    FCanvas->SaveState();
    FCanvas->IntersectClip(Area);
    struct TPaintScope {
        TGraphicControl* Control;
        ~TPaintScope() {
            Control->FPainting = false;
            Control->FCanvas->RestoreState();
        }
    } scope{this};
    FPainting = true;
    Paint();
}

void TGraphicControl::Paint() {}
