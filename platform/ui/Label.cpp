#include "platform/ui/Label.h"

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "platform/ui/WinControl.h"

namespace {

constexpr unsigned AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

} // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(Left(), Top(), 65, 17);
    // The face colour until a parent lends its own.
    SetColor(clBtnFace);
    SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (FShowAccelChar == Value)
        return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Transparent() == Value)
        return;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
}

AnsiString TCustomLabel::GetLabelText() const {
    return Caption();
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags) {
    AnsiString text = GetLabelText();
    if ((Flags & DT_CALCRECT) != 0 && (text.empty() || (FShowAccelChar && text == "&")))
        text += ' ';
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const int length = static_cast<int>(text.size());
    if (!Enabled() && (Flags & DT_CALCRECT) == 0) {
        OffsetRect(Rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        DrawText(canvas->Handle(), text.c_str(), length, &Rect, Flags);
        OffsetRect(Rect, -1, -1);
        canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(canvas->Handle(), text.c_str(), length, &Rect, Flags);
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading())
        return;
    TRect r = ClientRect();
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - r.Right;
    SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect r = client;
    const unsigned flags =
        DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlags[FAlignment];
    if (FLayout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        const int dy = FLayout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        OffsetRect(r, 0, dy);
    }
    DoDrawText(r, flags);
}
