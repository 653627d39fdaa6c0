#pragma once

#include "platform/host/Host.h"
#include "platform/ui/WinControl.h"

#include <memory>
#include <vector>

class TBitmap;
class TCanvas;

enum TFormBorderStyle : std::uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition : std::uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// A form's scroll bar settings, accepted from descriptions; a form never scrolls.
class TControlScrollBar : public TPersistent {
public:
    AnsiString ClassName() const override { return "TControlScrollBar"; }
    void Assign(TPersistent* Source) override;
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

private:
    bool FVisible = true;
};

// A top-level window. The form owns a host window (created on demand by Handle) and a
// surface: a pf32bit bitmap of the client size that the window shows, which the form paints
// and Canvas() reads and writes.
//
// For a form, Left and Top are the window's outer top-left on the screen; Width and Height
// are the client size (the host's frame lies outside it), so ClientWidth = Width.
//
// Painting an area: the form's Color, then every visible control that meets it, in stacking
// order, each through its own canvas clipped to itself and the area.
//
// Host events (each wrapped so that an escaping exception reaches
// Application->HandleException and the loop goes on):
// - pointer: to the control holding the capture, else the topmost visible enabled control
//   under the pointer (the form itself when none), as WM_* mouse messages in that control's
//   client coordinates. The host tells double-clicks (a second press within its double-click
//   time and a few pixels): they become WM_LBUTTONDBLCLK (right and middle likewise), which
//   a control without csDoubleClicks takes as a second press. A right release with no
//   capture held then sends WM_CONTEXTMENU, which opens the control's, a parent's or the
//   form's PopupMenu at the pointer. A host Leave event changes nothing: enter and leave
//   notifications come from the idle processing.
// - keys: the form's PopupMenu shortcuts first, then OnKeyDown, then, for a key that types a
//   character, CM_DIALOGCHAR (WParam = the character's code point, LParam = the shift bits)
//   broadcast to the controls until one sets Result.
// - dropped files: WM_DROPFILES through the form's WndProc, WParam = a drop handle for
//   DragQueryFile and DragFinish (FileDrop.h); the form releases a handle the message
//   handler left open (also when it threw).
// - close request: Close.
//
// A derived form reads its description in its constructor (ReadComponentRes) once the
// classes it names are registered (RegisterControlClasses and the other layers' own).
class TCustomForm : public TWinControl, public THostWindowEvents {
public:
    explicit TCustomForm(TComponent* AOwner);
    // Frees the owned components first, while the form is still whole, then the window.
    ~TCustomForm() override;
    AnsiString ClassName() const override { return "TCustomForm"; }

    // The window's handle; creates the window now if it does not exist yet.
    HWND Handle();
    bool HandleAllocated() const { return FWindow != nullptr; }
    THostWindow* HostWindow() const { return FWindow.get(); }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int Value) { FTextHeight = Value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    // The window's icon; an empty bitmap leaves the host's default.
    TBitmap* Icon() const { return FIcon.get(); }
    void SetIcon(TBitmap* Value); // copies

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void SetVisible(bool Value) override;

    // The surface the window shows (client-sized, pf32bit) and a canvas on it with its
    // origin at the client top-left. Both read exactly what the window shows.
    TBitmap* Surface() const { return FSurface.get(); }
    TCanvas* Canvas() const { return FCanvas.get(); }

    // Adds R (client coordinates) to the dirty area and asks the host for a paint.
    void InvalidateRect(const TRect& R);
    // Paints R into the surface now (the dirty area it covers is no longer dirty).
    void PaintRect(const TRect& R);
    // Paints R now and shows it on the screen before returning.
    void RepaintRect(const TRect& R);
    // Paints the whole dirty area now and shows it.
    void Update() override;
    void Invalidate() override;
    void Repaint() override;
    TRect DirtyRect() const { return FDirty; }

    // Shows the window (creating it) and paints it whole.
    void Show() { SetVisible(true); }
    // Hides, or for the application's main form ends the application's loop; OnClose may
    // change what happens (caNone keeps the form, caFree frees it later).
    void Close();

    const TCloseEvent& OnClose() const { return FOnClose; }
    void SetOnClose(TCloseEvent Value) { FOnClose = std::move(Value); }
    const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }

    // THostWindowEvents.
    void HostPaint(const TRect& Area) override;
    void HostMouse(const THostMouseEvent& Event) override;
    void HostKey(const THostKeyEvent& Event) override;
    void HostDropFiles(const std::vector<AnsiString>& Paths, TPoint At) override;
    void HostCloseRequest() override;

protected:
    void Dispatch(TMessage& Message) override;

private:
    THostWindowParams WindowParams() const;
    void UpdateWindow();
    void ResizeSurface();
    void RouteMouse(const THostMouseEvent& Event);
    void SendMouse(TControl* Target, std::uint32_t Msg, TShiftState Shift, TPoint FormPoint);
    void ContextMenu(TPoint FormPoint);

    std::unique_ptr<THostWindow> FWindow;
    std::unique_ptr<TBitmap> FSurface;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TCanvas> FPaintCanvas; // the background painting's own, not Canvas()
    TRect FDirty;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FKeyPreview = false;
    std::unique_ptr<TBitmap> FIcon;
    TCloseEvent FOnClose;
    TKeyEvent FOnKeyDown;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner);
    AnsiString ClassName() const override { return "TForm"; }
};

// The forms that exist, in creation order.
const std::vector<TCustomForm*>& AllForms();
// The form whose window has that handle, or null.
TCustomForm* FindForm(HWND Handle);
