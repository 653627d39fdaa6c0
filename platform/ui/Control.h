#pragma once

#include "platform/base/Component.h"
#include "platform/base/Events.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Messages.h"

#include <cstdint>
#include <memory>

class TBasicAction;
class TCustomForm;
class TPopupMenu;
class TWinControl;

// What a control is and does by class: set in its constructor.
enum TControlStyleFlag : std::uint32_t {
    csAcceptsControls = 1u << 0,   // may hold child controls
    csCaptureMouse = 1u << 1,      // a left press captures the pointer until the release
    csDesignInteractive = 1u << 2, // takes the mouse in a designer
    csClickEvents = 1u << 3,       // a left press and release inside make a click
    csFramed = 1u << 4,
    csSetCaption = 1u << 5,   // naming the control sets its caption while it is the old name
    csOpaque = 1u << 6,       // paints every pixel of its rectangle: nothing beneath shows
    csDoubleClicks = 1u << 7, // gets double-click messages (others get a second press)
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12, // the mouse handlers fire no OnMouse* or OnClick events
    csDisplayDragImage = 1u << 13,
    csReflector = 1u << 14,
    csActionClient = 1u << 15,
    csMenuEvents = 1u << 16,
};
using TControlStyle = std::uint32_t;

// What a control is doing now.
enum TControlStateFlag : std::uint32_t {
    csLButtonDown = 1u << 0, // the left button went down on the control and is still down
    csClicked = 1u << 1,     // a left press on a csClickEvents control awaits its release
    csPalette = 1u << 2,
    csReadingState = 1u << 3,
    csFocusing = 1u << 4,
    csCreating = 1u << 5,
    csPaintCopy = 1u << 6,
    csCustomPaint = 1u << 7,
};
using TControlState = std::uint32_t;

enum TDragMode : std::uint8_t { dmManual, dmAutomatic };

// The root of everything shown on a form. A control lies in its Parent's client area at
// (Left, Top); coordinates of its own (client coordinates) start at its top-left corner.
//
// Messages reach a control through Perform or WndProc, which hands them to Dispatch, the
// message map: a class maps the numbers it handles in an override with a plain switch and
// passes everything else to the inherited Dispatch; what nobody maps ends in DefaultHandler.
//
// Pointer messages (sent by the form; X, Y in the control's client coordinates):
// - WM_LBUTTONDOWN: the control captures the pointer when it has csCaptureMouse, notes
//   csClicked when it has csClickEvents, then MouseDown(mbLeft, Shift, X, Y).
// - WM_LBUTTONUP: the capture is released; if csClicked was noted and (X, Y) lies inside the
//   client rectangle, Click; then MouseUp(mbLeft, ...).
// - WM_LBUTTONDBLCLK (sent only to a control with csDoubleClicks; WndProc turns it into a
//   second WM_LBUTTONDOWN for the others): capture as for a press, DblClick when the control
//   has csClickEvents, then MouseDown(mbLeft, Shift + ssDouble, ...).
// - WM_RBUTTON*/WM_MBUTTON*: MouseDown/MouseUp with that button; no capture, no click.
// - WM_MOUSEMOVE: MouseMove.
// - WM_CONTEXTMENU (LParam = the screen point, PointToLParam): pops up the control's
//   PopupMenu there, else hands the message to the parent; Result 1 once a menu opened.
// While a control holds the capture every pointer message goes to it, in its own client
// coordinates, also from outside its rectangle and for the right and middle buttons.
// MouseDown, MouseMove, MouseUp, Click and DblClick fire OnMouseDown, OnMouseMove,
// OnMouseUp, OnClick (or the linked Action) and OnDblClick first; overrides call the
// inherited method and then do their own work.
//
// Painting: Invalidate adds the control's rectangle to its form's dirty area, painted when
// the loop comes back to the host; Repaint paints that area now (controls beneath included,
// unless the control is csOpaque) and shows it on the screen before it returns.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    // Leaves its parent, drops the capture and the enter/leave tracking.
    ~TControl() override;
    AnsiString ClassName() const override { return "TControl"; }

    // The parent's children list holds the control; setting a parent moves it to the top of
    // the new parent's stacking order.
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* Value);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetWidth(int Value);
    void SetHeight(int Value);
    // Moves and sizes the control; invalidates the old and the new rectangle.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // In the parent's client coordinates.
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

    // The client area: (0, 0, ClientWidth, ClientHeight). A plain control's client area is
    // the whole control.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int Value);
    virtual void SetClientHeight(int Value);

    // Screen position of client (0, 0): the form's client origin plus the offsets of the
    // control and its parents. (0, 0) plus those offsets when the form has no window.
    virtual TPoint ClientOrigin() const;
    // Where client (0, 0) lies in its form's client coordinates ((0, 0) for a form).
    TPoint FormOffset() const;
    TPoint ScreenToClient(TPoint Screen) const;
    TPoint ClientToScreen(TPoint Client) const;

    bool Visible() const { return FVisible; }
    // Sends CM_VISIBLECHANGED (WParam = the new value) and invalidates.
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and its parents too, up to a form that is shown.
    virtual bool Showing() const;

    bool Enabled() const { return FEnabled; }
    // Stores the value, then sends CM_ENABLEDCHANGED (the control invalidates itself there).
    virtual void SetEnabled(bool Value);

    // Caption and Text are one string; a change sends CM_TEXTCHANGED.
    const AnsiString& Caption() const { return FText; }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    const AnsiString& Text() const { return FText; }
    void SetText(const AnsiString& Value);

    // A change sends CM_COLORCHANGED (which invalidates) and clears ParentColor; children
    // with ParentColor follow through CM_PARENTCOLORCHANGED.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    // Font changes (through the object or SetFont, which copies) send CM_FONTCHANGED and
    // clear ParentFont; with ParentFont the control takes its parent's font.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // Opened by a right click on the control (WM_CONTEXTMENU); null hands the click to the
    // parent's menu. Cleared when the menu goes away.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }

    // When set, a click executes the action in place of OnClick. Cleared when it goes away.
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // Holds or releases the pointer capture (GetCaptureControl).
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
    const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
    const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = std::move(Value); }
    const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = std::move(Value); }

    // Sends a message to the control itself and returns its Result once handled.
    std::intptr_t Perform(std::uint32_t Msg, std::intptr_t WParam, std::intptr_t LParam);
    // The entry of every message: turns double-clicks into presses for controls without
    // csDoubleClicks, notes csLButtonDown, then Dispatch.
    virtual void WndProc(TMessage& Message);
    // The message map (see above).
    virtual void Dispatch(TMessage& Message);
    // Messages that no map handles; does nothing.
    virtual void DefaultHandler(TMessage& Message);

    // Paint later (the dirty area) / paint now and show / paint the pending dirty area now.
    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }

    // Moves the control to the top (painted last, hit first) or the bottom of its parent's
    // stacking order.
    void BringToFront();
    void SendToBack();

    // Naming a csSetCaption control sets its caption while the caption is the old name
    // (not while a description is being read).
    void SetName(const AnsiString& Value) override;
    void Loaded() override;

    // Called by a click in the control, by accelerators and by code.
    virtual void Click();

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DblClick();

    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The form whose surface this control is painted on, or null.
    TCustomForm* ParentFormOf() const;

private:
    void FontChanged(TObject* Sender);
    void ParentFontChanged();
    void ParentColorChanged();
    void HandleMouse(TMessage& Message);
    void InvalidateArea(const TRect& R);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    AnsiString FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FFontFromParent = false; // the font is being copied from the parent
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TBasicAction* FAction = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TMouseEvent FOnMouseDown;
    TMouseMoveEvent FOnMouseMove;
    TMouseEvent FOnMouseUp;

    friend class TWinControl;
};

// The control holding the pointer capture, or null.
TControl* GetCaptureControl();
// Gives the capture to Control (null releases it); the host window of its form follows.
void SetCaptureControl(TControl* Control);

// The form the control lies on (the control itself when it is one), or null.
TCustomForm* GetParentForm(const TControl* Control);

// The topmost visible control at a screen point on a shown form: the deepest child under
// the point (disabled ones too when AllowDisabled), else the form; null off every form.
TControl* FindDragTarget(TPoint Screen, bool AllowDisabled);
