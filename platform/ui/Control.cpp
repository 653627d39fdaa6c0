#include "platform/ui/Control.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Action.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"
#include "platform/ui/WinControl.h"

#include <algorithm>

namespace {

TControl* CaptureControl = nullptr;

THostWindow* WindowOf(TControl* Control) {
    TCustomForm* form = Control != nullptr ? GetParentForm(Control) : nullptr;
    return form != nullptr ? form->HostWindow() : nullptr;
}

} // namespace

TControl* GetCaptureControl() {
    return CaptureControl;
}

void SetCaptureControl(TControl* Control) {
    TControl* old = CaptureControl;
    CaptureControl = Control;
    THostWindow* oldWindow = WindowOf(old);
    THostWindow* newWindow = WindowOf(Control);
    if (oldWindow != nullptr && oldWindow != newWindow)
        oldWindow->SetCapture(false);
    if (newWindow != nullptr && newWindow != oldWindow)
        newWindow->SetCapture(true);
}

TCustomForm* GetParentForm(const TControl* Control) {
    for (const TControl* c = Control; c != nullptr; c = c->Parent())
        if (auto* form = dynamic_cast<const TCustomForm*>(c))
            return const_cast<TCustomForm*>(form);
    return nullptr;
}

TControl* FindDragTarget(TPoint Screen, bool AllowDisabled) {
    // Stay-on-top forms lie above the others; a later form above an earlier one.
    const std::vector<TCustomForm*>& forms = AllForms();
    for (bool onTop : {true, false})
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            TCustomForm* form = *it;
            if ((form->FormStyle() == fsStayOnTop) != onTop || !form->Showing())
                continue;
            TPoint p = form->ScreenToClient(Screen);
            if (PtInRect(form->ClientRect(), p))
                return form->DeepControlAtPos(p, AllowDisabled);
        }
    return nullptr;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
    FFont->SetOnChange([this](TObject* Sender) { FontChanged(Sender); });
}

TControl::~TControl() {
    if (CaptureControl == this)
        SetCaptureControl(nullptr);
    if (Application != nullptr)
        Application->ControlDestroyed(this);
    if (FParent != nullptr)
        FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Value) {
    if (Value == FParent)
        return;
    for (TControl* p = Value; p != nullptr; p = p->Parent())
        if (p == this)
            throw EInvalidOperation("コントロールを自身またはその子の子にすることはできません");
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    if (Value != nullptr)
        Value->InsertControl(this);
}

void TControl::SetLeft(int Value) {
    SetBounds(Value, FTop, FWidth, FHeight);
}
void TControl::SetTop(int Value) {
    SetBounds(FLeft, Value, FWidth, FHeight);
}
void TControl::SetWidth(int Value) {
    SetBounds(FLeft, FTop, Value, FHeight);
}
void TControl::SetHeight(int Value) {
    SetBounds(FLeft, FTop, FWidth, Value);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = std::max(AWidth, 0);
    FHeight = std::max(AHeight, 0);
    Invalidate();
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}
void TControl::SetClientWidth(int Value) {
    SetWidth(Value);
}
void TControl::SetClientHeight(int Value) {
    SetHeight(Value);
}

TPoint TControl::ClientOrigin() const {
    TPoint origin = FParent != nullptr ? FParent->ClientOrigin() : TPoint{};
    return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::FormOffset() const {
    TPoint p;
    for (const TControl* c = this; c != nullptr && dynamic_cast<const TCustomForm*>(c) == nullptr;
         c = c->Parent()) {
        p.X += c->Left();
        p.Y += c->Top();
    }
    return p;
}

TPoint TControl::ScreenToClient(TPoint Screen) const {
    TPoint origin = ClientOrigin();
    return {Screen.X - origin.X, Screen.Y - origin.Y};
}

TPoint TControl::ClientToScreen(TPoint Client) const {
    TPoint origin = ClientOrigin();
    return {Client.X + origin.X, Client.Y + origin.Y};
}

void TControl::SetVisible(bool Value) {
    if (Value == FVisible)
        return;
    // The area it covered (or will cover) needs painting either way.
    FVisible = true;
    Invalidate();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
}

bool TControl::Showing() const {
    return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const AnsiString& Value) {
    if (Value == FText)
        return;
    FText = Value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    FParentColor = false;
    if (Value == FColor)
        return;
    FColor = Value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (Value == FParentColor)
        return;
    FParentColor = Value;
    if (Value)
        ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || FParent == nullptr)
        return;
    SetColor(FParent->Color());
    FParentColor = true;
}

void TControl::SetFont(TFont* Value) {
    if (Value != nullptr)
        FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value) {
    if (Value == FParentFont)
        return;
    FParentFont = Value;
    if (Value)
        ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || FParent == nullptr)
        return;
    FFontFromParent = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FFontFromParent = false;
        throw;
    }
    FFontFromParent = false;
}

void TControl::FontChanged(TObject*) {
    if (!FFontFromParent)
        FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    FPopupMenu = Value;
}

void TControl::SetAction(TBasicAction* Value) {
    FAction = Value;
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (FPopupMenu != nullptr && AComponent == static_cast<TComponent*>(FPopupMenu))
        FPopupMenu = nullptr;
    if (FAction != nullptr && AComponent == static_cast<TComponent*>(FAction))
        FAction = nullptr;
}

bool TControl::MouseCapture() const {
    return CaptureControl == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (Value == MouseCapture())
        return;
    SetCaptureControl(Value ? this : nullptr);
}

std::intptr_t TControl::Perform(std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if ((FControlStyle & csDoubleClicks) == 0)
            switch (Message.Msg) {
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
                Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                break;
            default:
                break;
            }
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
            FControlState |= csLButtonDown;
        else if (Message.Msg == WM_LBUTTONUP)
            FControlState &= ~csLButtonDown;
    }
    Dispatch(Message);
}

void TControl::HandleMouse(TMessage& Message) {
    TPoint p = LParamToPoint(Message.LParam);
    TShiftState shift = WParamToShift(Message.WParam);
    bool std = (FControlStyle & csNoStdEvents) == 0;
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (std)
            MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
        if ((FControlStyle & csCaptureMouse) != 0)
            SetMouseCapture(true);
        if ((FControlStyle & csClickEvents) != 0)
            FControlState |= csClicked;
        if (std)
            MouseDown(mbLeft, shift, p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        if ((FControlStyle & csCaptureMouse) != 0)
            SetMouseCapture(true);
        if ((FControlStyle & csClickEvents) != 0)
            DblClick();
        if (std)
            MouseDown(mbLeft, shift | ssDouble, p.X, p.Y);
        break;
    case WM_LBUTTONUP:
        if ((FControlStyle & csCaptureMouse) != 0)
            SetMouseCapture(false);
        if ((FControlState & csClicked) != 0) {
            FControlState &= ~csClicked;
            if (PtInRect(ClientRect(), p))
                Click();
        }
        if (std)
            MouseUp(mbLeft, shift, p.X, p.Y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        TMouseButton button =
            Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_RBUTTONDBLCLK ? mbRight : mbMiddle;
        if (Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK)
            shift = shift | ssDouble;
        if (std)
            MouseDown(button, shift, p.X, p.Y);
        break;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (std)
            MouseUp(Message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, p.X, p.Y);
        break;
    default:
        break;
    }
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouse(Message);
        break;
    case WM_CONTEXTMENU:
        if (FPopupMenu != nullptr && FPopupMenu->AutoPopup()) {
            FPopupMenu->SetPopupComponent(this);
            PopupMenuAt(FPopupMenu, LParamToPoint(Message.LParam));
            Message.Result = 1;
        } else if (FParent != nullptr) {
            FParent->WndProc(Message);
        }
        break;
    case CM_HITTEST:
        Message.Result = 1;
        break;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        break;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // The parent hears which of its children the pointer entered or left.
        if (FParent != nullptr)
            FParent->Perform(Message.Msg, 0,
                             Message.LParam != 0 ? Message.LParam
                                                 : reinterpret_cast<std::intptr_t>(this));
        break;
    default:
        DefaultHandler(Message);
        break;
    }
}

void TControl::DefaultHandler(TMessage&) {}

TCustomForm* TControl::ParentFormOf() const {
    return GetParentForm(this);
}

void TControl::InvalidateArea(const TRect& R) {
    TCustomForm* form = ParentFormOf();
    if (form == nullptr || IsRectEmpty(R))
        return;
    TPoint offset = FormOffset();
    TRect r = R;
    OffsetRect(r, offset.X, offset.Y);
    form->InvalidateRect(r);
}

void TControl::Invalidate() {
    if (FVisible)
        InvalidateArea(Rect(0, 0, FWidth, FHeight));
}

void TControl::Repaint() {
    TCustomForm* form = ParentFormOf();
    if (form == nullptr || !FVisible)
        return;
    TPoint offset = FormOffset();
    form->RepaintRect(Bounds(offset.X, offset.Y, FWidth, FHeight));
}

void TControl::Update() {
    if (TCustomForm* form = ParentFormOf())
        form->Update();
}

void TControl::BringToFront() {
    if (FParent == nullptr)
        return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end() || it + 1 == list.end())
        return;
    list.erase(it);
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (FParent == nullptr)
        return;
    auto& list = FParent->FControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end() || it == list.begin())
        return;
    list.erase(it);
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::SetName(const AnsiString& Value) {
    bool changeText = (FControlStyle & csSetCaption) != 0 && !IsLoading() && Name() == FText;
    TComponent::SetName(Value);
    if (changeText)
        SetText(Value);
}

void TControl::Loaded() {
    TComponent::Loaded();
    ParentFontChanged();
    ParentColorChanged();
}

void TControl::Click() {
    if (FOnClick)
        FOnClick(this);
    else if (FAction != nullptr)
        FAction->Execute();
}

void TControl::DblClick() {
    if (FOnDblClick)
        FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseDown)
        FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (FOnMouseMove)
        FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseUp)
        FOnMouseUp(this, Button, Shift, X, Y);
}
