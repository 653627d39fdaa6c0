#include "platform/ui/WinControl.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/GraphicControl.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl() {
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
}

int TWinControl::IndexOfControl(const TControl* Control) const {
    auto it = std::find(FControls.begin(), FControls.end(), Control);
    return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

void TWinControl::InsertControl(TControl* AControl) {
    if (AControl == nullptr || AControl->FParent == this)
        return;
    for (TControl* p = this; p != nullptr; p = p->Parent())
        if (p == AControl)
            throw EInvalidOperation("コントロールを自身またはその子の子にすることはできません");
    if (AControl->FParent != nullptr)
        AControl->FParent->RemoveControl(AControl);
    FControls.push_back(AControl);
    AControl->FParent = this;
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(FControls.begin(), FControls.end(), AControl);
    if (it == FControls.end())
        return;
    AControl->Invalidate();
    // A control that leaves its form can hold the capture no longer.
    for (TControl* c = GetCaptureControl(); c != nullptr; c = c->Parent())
        if (c == AControl) {
            SetCaptureControl(nullptr);
            break;
        }
    FControls.erase(std::find(FControls.begin(), FControls.end(), AControl));
    AControl->FParent = nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    // By index: a child may add or remove children while it handles the message.
    for (std::size_t i = 0; i < FControls.size(); ++i) {
        FControls[i]->WndProc(Message);
        if (Message.Result != 0)
            return;
    }
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!c->Enabled() && !AllowDisabled) || !PtInRect(c->BoundsRect(), Pos))
            continue;
        TPoint local{Pos.X - c->Left(), Pos.Y - c->Top()};
        if (c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0)
            return c;
    }
    return nullptr;
}

TControl* TWinControl::DeepControlAtPos(TPoint Pos, bool AllowDisabled, TPoint* ClientPos) {
    TControl* found = this;
    TPoint p = Pos;
    for (TWinControl* container = this; container != nullptr;) {
        TControl* child = container->ControlAtPos(p, AllowDisabled);
        if (child == nullptr)
            break;
        p = {p.X - child->Left(), p.Y - child->Top()};
        found = child;
        container = dynamic_cast<TWinControl*>(child);
    }
    if (ClientPos != nullptr)
        *ClientPos = p;
    return found;
}

void TWinControl::PaintBackground(TCanvas* Canvas, const TRect& Area) {
    Canvas->Brush()->SetColor(ColorToRGB(Color()));
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(Area);
}

void TWinControl::PaintControls(TCanvas* Canvas, const TRect& Area) {
    TRect area = IntersectRect(Area, ClientRect());
    if (IsRectEmpty(area))
        return;
    // An opaque child that covers the whole area hides everything beneath it.
    std::size_t first = 0;
    bool background = true;
    for (std::size_t i = FControls.size(); i-- > 0;) {
        TControl* c = FControls[i];
        if (c->Visible() && (c->ControlStyle() & csOpaque) != 0 &&
            RectContains(c->BoundsRect(), area)) {
            first = i;
            background = false;
            break;
        }
    }
    if (background) {
        Canvas->SaveState();
        Canvas->IntersectClip(area);
        PaintBackground(Canvas, area);
        Canvas->RestoreState();
    }
    for (std::size_t i = first; i < FControls.size(); ++i) {
        TControl* c = FControls[i];
        if (!c->Visible())
            continue;
        TRect r = IntersectRect(c->BoundsRect(), area);
        if (IsRectEmpty(r))
            continue;
        OffsetRect(r, -c->Left(), -c->Top());
        if (auto* graphic = dynamic_cast<TGraphicControl*>(c)) {
            graphic->PaintArea(r);
        } else if (auto* container = dynamic_cast<TWinControl*>(c)) {
            Canvas->SaveState();
            Canvas->MoveOrigin(c->Left(), c->Top());
            Canvas->IntersectClip(container->ClientRect());
            container->PaintControls(Canvas, r);
            Canvas->RestoreState();
        }
    }
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
    case CM_SYSCOLORCHANGE:
        Broadcast(Message);
        break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED: {
        TControl::Dispatch(Message);
        // Children that follow this control's font or colour take the new one.
        TMessage notify{
            Message.Msg == CM_FONTCHANGED ? CM_PARENTFONTCHANGED : CM_PARENTCOLORCHANGED, 0, 0, 0};
        for (std::size_t i = 0; i < FControls.size(); ++i) {
            notify.Result = 0;
            FControls[i]->WndProc(notify);
        }
        break;
    }
    default:
        TControl::Dispatch(Message);
        break;
    }
}
