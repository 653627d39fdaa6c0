#include "platform/ui/SpeedButton.h"

#include "platform/base/MultiByte.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "platform/ui/WinControl.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    // The button makes its own click on the release, so the platform's click events stay off.
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(Left(), Top(), 23, 22);
    FGlyph->SetOnChange([this](TObject* Sender) { GlyphChanged(Sender); });
}

TSpeedButton::~TSpeedButton() {
    FGlyph->SetOnChange({});
}

void TSpeedButton::SetGroupIndex(int Value) {
    if (FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    if (Value) {
        FState = bsExclusive;
        Invalidate();
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value)
        return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value)
        return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    FGlyph->SetTransparent(true);
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
    if (FMargin == Value || Value < -1)
        return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
    if (FSpacing == Value)
        return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::GlyphChanged(TObject*) {
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    TWinControl* parent = Parent();
    if (FGroupIndex == 0 || parent == nullptr)
        return;
    TMessage message;
    message.Msg = CM_BUTTONPRESSED;
    message.WParam = FGroupIndex;
    message.LParam = reinterpret_cast<std::intptr_t>(this);
    parent->Broadcast(message);
}

bool TSpeedButton::Inside(int X, int Y) const {
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y))
        state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging)
        return;
    FDragging = false;
    const bool click = Inside(X, Y);
    if (FGroupIndex == 0) {
        // Outside a group nothing stays down, also a button that was down when it left one.
        FDown = false;
        FState = bsUp;
        FMouseInControl = false;
        Invalidate();
    } else if (click) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        if (FDown)
            FState = bsExclusive;
        Repaint();
    }
    if (click)
        Click();
    UpdateTracking();
}

void TSpeedButton::UpdateTracking() {
    if (!FFlat || !Enabled())
        return;
    TPoint p;
    if (!GetCursorPos(&p))
        return;
    const bool over = FindDragTarget(p, true) == this;
    // Set to the opposite so that the enter or leave handling below accepts.
    FMouseInControl = !over;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_BUTTONPRESSED:
        CMButtonPressed(Message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::Dispatch(Message);
        if (FDown)
            DblClick();
        return;
    default:
        break;
    }
    TGraphicControl::Dispatch(Message);
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
        UpdateTracking();
        Repaint();
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_SYSCOLORCHANGE:
        Invalidate();
        break;
    case CM_MOUSEENTER:
        if (FFlat && !FMouseInControl && Enabled() && DragMode() != dmAutomatic &&
            GetCapture() == 0) {
            FMouseInControl = true;
            Repaint();
        }
        break;
    case CM_MOUSELEAVE:
        if (FFlat && FMouseInControl && Enabled() && !FDragging) {
            FMouseInControl = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex)
        return;
    auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    if (sender == nullptr || sender == this)
        return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
    TWinControl* parent = Parent();
    if (IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && Enabled() && Visible() &&
        parent != nullptr && parent->Showing()) {
        Click();
        Message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(Message);
}

namespace {

void Line(TCanvas* C, TColor Color, const TRect& R) {
    C->Brush()->SetColor(Color);
    C->FillRect(R);
}

// A one-pixel frame: Light along the top and left, Dark along the bottom and right.
void Frame(TCanvas* C, TRect R, TColor Light, TColor Dark) {
    Line(C, Light, Rect(R.Left, R.Top, R.Right - 1, R.Top + 1));
    Line(C, Light, Rect(R.Left, R.Top, R.Left + 1, R.Bottom - 1));
    Line(C, Dark, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom));
    Line(C, Dark, Rect(R.Right - 1, R.Top, R.Right, R.Bottom));
}

} // namespace

void TSpeedButton::Paint() {
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    const bool pressed = FState == bsDown || FState == bsExclusive;
    Line(c, FState == bsExclusive && !FDragging ? clBtnHighlight : clBtnFace, client);
    if (!FFlat || pressed || FMouseInControl) {
        if (pressed) {
            Frame(c, client, clBtnShadow, clBtnHighlight);
        } else if (FFlat) {
            Frame(c, client, clBtnHighlight, clBtnShadow);
        } else {
            Frame(c, client, clBtnHighlight, clWindowFrame);
            TRect inner = client;
            inner.Left += 1;
            inner.Top += 1;
            inner.Right -= 1;
            inner.Bottom -= 1;
            Frame(c, inner, clBtnFace, clBtnShadow);
        }
    }

    // Content: the glyph and the caption side by side (or one above the other), centred
    // unless a margin is set, one pixel down and right while pressed.
    c->SetFont(Font());
    c->Brush()->SetStyle(bsClear);
    const AnsiString& caption = Caption();
    TRect text{};
    if (!caption.empty())
        DrawText(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text,
                 DT_CALCRECT | DT_SINGLELINE);
    const int gw = FGlyph->Empty() ? 0 : FGlyph->Width();
    const int gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    const int tw = text.Width();
    const int th = text.Height();
    const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int room = horizontal ? client.Width() : client.Height();
    const int glyphLength = horizontal ? gw : gh;
    const int textLength = horizontal ? tw : th;
    int spacing = gw > 0 && tw > 0 ? FSpacing : 0;
    int margin = FMargin;
    if (margin == -1 && spacing == -1)
        margin = spacing = (room - glyphLength - textLength) / 3;
    else if (spacing == -1)
        spacing = room - margin - glyphLength - textLength;
    else if (margin == -1)
        margin = (room - glyphLength - spacing - textLength) / 2;
    if (gw == 0 || tw == 0)
        spacing = 0;
    const bool glyphFirst = FLayout == blGlyphLeft || FLayout == blGlyphTop;
    const int glyphAt = glyphFirst ? margin : margin + textLength + spacing;
    const int textAt = glyphFirst ? margin + glyphLength + spacing : margin;
    const int shift = pressed ? 1 : 0;
    TPoint glyphPos = horizontal ? Point(glyphAt, (client.Height() - gh) / 2)
                                 : Point((client.Width() - gw) / 2, glyphAt);
    TPoint textPos = horizontal ? Point(textAt, (client.Height() - th) / 2)
                                : Point((client.Width() - tw) / 2, textAt);
    if (gw > 0)
        c->Draw(glyphPos.X + shift, glyphPos.Y + shift, FGlyph.get());
    if (tw > 0) {
        TRect r = Bounds(textPos.X + shift, textPos.Y + shift, tw, th);
        const unsigned flags = DT_CENTER | DT_SINGLELINE;
        if (FState == bsDisabled) {
            OffsetRect(r, 1, 1);
            c->Font()->SetColor(clBtnHighlight);
            DrawText(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r, flags);
            OffsetRect(r, -1, -1);
            c->Font()->SetColor(clBtnShadow);
        }
        DrawText(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    }
}
