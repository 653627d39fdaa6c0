#include "platform/ui/Form.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDrop.h"
#include "platform/ui/Menus.h"

#include <algorithm>

namespace {

std::vector<TCustomForm*>& FormList() {
    static std::vector<TCustomForm*> forms;
    return forms;
}

} // namespace

const std::vector<TCustomForm*>& AllForms() {
    return FormList();
}

TCustomForm* FindForm(HWND Handle) {
    if (Handle == 0)
        return nullptr;
    for (TCustomForm* form : FormList())
        if (form->HandleAllocated() && form->HostWindow()->Handle() == Handle)
            return form;
    return nullptr;
}

void TControlScrollBar::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TControlScrollBar*>(Source)) {
        FVisible = other->FVisible;
        return;
    }
    TPersistent::Assign(Source);
}

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FSurface(std::make_unique<TBitmap>()),
      FCanvas(std::make_unique<TCanvas>()), FPaintCanvas(std::make_unique<TCanvas>()),
      FHorzScrollBar(std::make_unique<TControlScrollBar>()),
      FVertScrollBar(std::make_unique<TControlScrollBar>()), FIcon(std::make_unique<TBitmap>()) {
    FormList().push_back(this);
    FSurface->SetPixelFormat(pf32bit);
    FCanvas->SetTarget(FSurface.get());
    FPaintCanvas->SetTarget(FSurface.get());
    TControl::SetVisible(false);
    SetParentColor(false);
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    SetDestroying();
    // The controls' handlers and references may reach into the form: free them first.
    DestroyComponents();
    if (Application != nullptr)
        Application->ControlDestroyed(this);
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    FWindow.reset();
}

THostWindowParams TCustomForm::WindowParams() const {
    THostWindowParams p;
    p.Caption = Caption();
    p.Left = Left();
    p.Top = Top();
    p.ClientWidth = Width();
    p.ClientHeight = Height();
    p.ToolWindow = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
    p.StayOnTop = FFormStyle == fsStayOnTop;
    p.Resizable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    return p;
}

HWND TCustomForm::Handle() {
    if (FWindow == nullptr) {
        FWindow = THost::Current().CreateWindow(this, WindowParams());
        FWindow->SetSurface(FSurface.get());
        if (!FIcon->Empty())
            FWindow->SetIcon(*FIcon);
    }
    return FWindow->Handle();
}

void TCustomForm::UpdateWindow() {
    if (FWindow != nullptr)
        FWindow->SetGeometry(WindowParams());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    UpdateWindow();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (Value == FFormStyle)
        return;
    FFormStyle = Value;
    UpdateWindow();
}

void TCustomForm::SetIcon(TBitmap* Value) {
    if (Value == nullptr)
        return;
    FIcon->Assign(Value);
    if (FWindow != nullptr && !FIcon->Empty())
        FWindow->SetIcon(*FIcon);
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    bool resized = AWidth != Width() || AHeight != Height();
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized)
        ResizeSurface();
    UpdateWindow();
}

void TCustomForm::ResizeSurface() {
    FSurface->SetSize(Width(), Height());
    FCanvas->SetTarget(FSurface.get());
    FPaintCanvas->SetTarget(FSurface.get());
    if (FWindow != nullptr)
        FWindow->SetSurface(FSurface.get());
    FDirty = {};
    InvalidateRect(ClientRect());
}

TPoint TCustomForm::ClientOrigin() const {
    if (FWindow != nullptr)
        return FWindow->ClientOrigin();
    return {Left(), Top()};
}

bool TCustomForm::Showing() const {
    return Visible();
}

void TCustomForm::SetVisible(bool Value) {
    if (Value == Visible())
        return;
    if (Value) {
        Handle();
        TControl::SetVisible(true);
        FDirty = {};
        PaintRect(ClientRect());
        FWindow->Show();
    } else {
        TControl::SetVisible(false);
        if (FWindow != nullptr)
            FWindow->Hide();
    }
}

void TCustomForm::InvalidateRect(const TRect& R) {
    if (IsDestroying())
        return;
    TRect r = IntersectRect(R, ClientRect());
    if (IsRectEmpty(r))
        return;
    FDirty = UnionRect(FDirty, r);
    if (FWindow != nullptr)
        FWindow->Invalidate(r);
}

void TCustomForm::PaintRect(const TRect& R) {
    TRect r = IntersectRect(R, ClientRect());
    if (IsRectEmpty(r))
        return;
    if (RectContains(r, FDirty))
        FDirty = {};
    FPaintCanvas->SetTarget(FSurface.get());
    PaintControls(FPaintCanvas.get(), r);
}

void TCustomForm::RepaintRect(const TRect& R) {
    TRect r = IntersectRect(R, ClientRect());
    if (IsRectEmpty(r))
        return;
    PaintRect(r);
    if (FWindow != nullptr)
        FWindow->PresentNow(r);
}

void TCustomForm::Update() {
    if (IsRectEmpty(FDirty))
        return;
    RepaintRect(FDirty);
}

void TCustomForm::Invalidate() {
    InvalidateRect(ClientRect());
}

void TCustomForm::Repaint() {
    RepaintRect(ClientRect());
}

void TCustomForm::Close() {
    TCloseAction action = caHide;
    if (FOnClose)
        FOnClose(this, action);
    if (action == caNone)
        return;
    if (Application != nullptr && Application->MainForm() == this)
        Application->Terminate();
    else if (action == caFree)
        THost::Current().Post([this] {
            // Unless its owner has freed it meanwhile.
            auto& forms = FormList();
            if (std::find(forms.begin(), forms.end(), this) != forms.end())
                delete this;
        });
    else
        Hide();
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CLOSE:
        Close();
        break;
    case CM_TEXTCHANGED:
        if (FWindow != nullptr)
            FWindow->SetCaption(Caption());
        break;
    case CM_SYSCOLORCHANGE:
        Invalidate();
        TWinControl::Dispatch(Message);
        break;
    default:
        TWinControl::Dispatch(Message);
        break;
    }
}

void TCustomForm::HostPaint(const TRect& Area) {
    Application->Guard([&] {
        TRect area = UnionRect(Area, FDirty);
        FDirty = {};
        PaintRect(area);
    });
}

void TCustomForm::SendMouse(TControl* Target, std::uint32_t Msg, TShiftState Shift,
                            TPoint FormPoint) {
    TPoint local;
    if (GetParentForm(Target) == this) {
        TPoint offset = Target->FormOffset();
        local = {FormPoint.X - offset.X, FormPoint.Y - offset.Y};
    } else {
        local = Target->ScreenToClient(ClientToScreen(FormPoint));
    }
    TMessage message{Msg, ShiftToWParam(Shift), PointToLParam(local), 0};
    Target->WndProc(message);
}

void TCustomForm::ContextMenu(TPoint FormPoint) {
    TControl* target = DeepControlAtPos(FormPoint, false);
    TPoint screen = ClientToScreen(FormPoint);
    TMessage message{WM_CONTEXTMENU, static_cast<std::intptr_t>(Handle()), PointToLParam(screen),
                     0};
    target->WndProc(message);
}

void TCustomForm::RouteMouse(const THostMouseEvent& Event) {
    TPoint p{Event.X, Event.Y};
    std::uint32_t base = 0;
    switch (Event.Kind) {
    case THostMouseEvent::Move:
        break;
    case THostMouseEvent::Down:
        base = WM_LBUTTONDOWN;
        break;
    case THostMouseEvent::Up:
        base = WM_LBUTTONUP;
        break;
    case THostMouseEvent::DoubleClick:
        base = WM_LBUTTONDBLCLK;
        break;
    case THostMouseEvent::Leave:
        return;
    }
    std::uint32_t msg = WM_MOUSEMOVE;
    if (base != 0) {
        // The right and middle buttons' messages follow the left one's at steps of three.
        std::uint32_t step = Event.Button == mbRight ? 3 : Event.Button == mbMiddle ? 6 : 0;
        msg = base + step;
    }
    TControl* target = GetCaptureControl();
    if (target == nullptr)
        target = DeepControlAtPos(p, false);
    // A double-click says so by its message; the handler adds ssDouble where it applies.
    TShiftState shift = Event.Shift;
    shift >> ssDouble;
    SendMouse(target, msg, shift, p);
    if (msg == WM_RBUTTONUP && GetCaptureControl() == nullptr)
        ContextMenu(p);
}

void TCustomForm::HostMouse(const THostMouseEvent& Event) {
    Application->Guard([&] { RouteMouse(Event); });
}

void TCustomForm::HostKey(const THostKeyEvent& Event) {
    Application->Guard([&] {
        if (PopupMenu() != nullptr && IsShortCut(PopupMenu(), Event.Key, Event.Shift))
            return;
        if (FOnKeyDown) {
            std::uint16_t key = Event.Key;
            FOnKeyDown(this, key, Event.Shift);
            if (key == 0)
                return;
        }
        if (Event.Char != 0)
            Perform(CM_DIALOGCHAR, static_cast<std::intptr_t>(Event.Char),
                    ShiftToWParam(Event.Shift));
    });
}

void TCustomForm::HostDropFiles(const std::vector<AnsiString>& Paths, TPoint At) {
    Application->Guard([&] {
        HDROP drop = CreateDrop(Paths, At);
        struct TFinish {
            HDROP Drop;
            ~TFinish() {
                if (DropAlive(Drop))
                    DragFinish(Drop);
            }
        } finish{drop};
        Perform(WM_DROPFILES, static_cast<std::intptr_t>(drop), 0);
    });
}

void TCustomForm::HostCloseRequest() {
    Application->Guard([&] { Perform(WM_CLOSE, 0, 0); });
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
