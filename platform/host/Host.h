#pragma once

#include "platform/base/Events.h"
#include "platform/base/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TBitmap;

// The one interface through which the ui layer reaches a real desktop. The Qt host shows
// real windows; the headless host keeps everything in memory for tests and scripts.
// Coordinates: screen coordinates, or a window's client coordinates where it says so.

// Virtual-key codes, the published values: letters and digits are their upper-case ASCII
// codes ('A' 0x41, '0' 0x30).
constexpr std::uint16_t VK_LBUTTON = 0x01;
constexpr std::uint16_t VK_RBUTTON = 0x02;
constexpr std::uint16_t VK_MBUTTON = 0x04;
constexpr std::uint16_t VK_BACK = 0x08;
constexpr std::uint16_t VK_TAB = 0x09;
constexpr std::uint16_t VK_RETURN = 0x0D;
constexpr std::uint16_t VK_SHIFT = 0x10;
constexpr std::uint16_t VK_CONTROL = 0x11;
constexpr std::uint16_t VK_MENU = 0x12; // Alt
constexpr std::uint16_t VK_PAUSE = 0x13;
constexpr std::uint16_t VK_ESCAPE = 0x1B;
constexpr std::uint16_t VK_SPACE = 0x20;
constexpr std::uint16_t VK_PRIOR = 0x21; // Page Up
constexpr std::uint16_t VK_NEXT = 0x22;  // Page Down
constexpr std::uint16_t VK_END = 0x23;
constexpr std::uint16_t VK_HOME = 0x24;
constexpr std::uint16_t VK_LEFT = 0x25;
constexpr std::uint16_t VK_UP = 0x26;
constexpr std::uint16_t VK_RIGHT = 0x27;
constexpr std::uint16_t VK_DOWN = 0x28;
constexpr std::uint16_t VK_INSERT = 0x2D;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_F1 = 0x70; // VK_F1 + n - 1 is Fn, up to F12
constexpr std::uint16_t VK_F12 = 0x7B;

struct THostMouseEvent {
    enum TKind : std::uint8_t { Down, Up, Move, DoubleClick, Leave };
    TKind Kind = Move;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    int X = 0; // client coordinates
    int Y = 0;
};

struct THostKeyEvent {
    std::uint16_t Key = 0; // virtual-key code (VK_*)
    TShiftState Shift;
    char32_t Char = 0; // the character the key types, 0 when none
};

// What a window tells its form. Called on the ui thread from the host's loop.
class THostWindowEvents {
public:
    virtual ~THostWindowEvents() = default;
    // Paint Area (client coordinates) into the surface now; the host then shows it.
    virtual void HostPaint(const TRect& Area) = 0;
    virtual void HostMouse(const THostMouseEvent& Event) = 0;
    virtual void HostKey(const THostKeyEvent& Event) = 0;
    // Local files dropped on the window, in the drop's order, at a client point.
    virtual void HostDropFiles(const std::vector<AnsiString>& Paths, TPoint At) = 0;
    // The user asked to close the window (close button, system command).
    virtual void HostCloseRequest() = 0;
};

struct THostWindowParams {
    AnsiString Caption;
    int Left = 0; // outer top-left corner on the screen
    int Top = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool ToolWindow = false; // small caption, close button only, fixed size
    bool StayOnTop = false;
    bool Resizable = true;
};

class THostWindow {
public:
    virtual ~THostWindow() = default;
    // An identifier that stands for the window as the platform's window handle.
    virtual std::uintptr_t Handle() const = 0;
    virtual void SetCaption(const AnsiString& Caption) = 0;
    virtual void SetIcon(const TBitmap& Icon) = 0;
    virtual void SetGeometry(const THostWindowParams& Params) = 0;
    // The bitmap the window shows: the form's surface, client-sized, 32 bits per pixel.
    virtual void SetSurface(const TBitmap* Surface) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // Asks for a HostPaint of Area later (when the loop is idle).
    virtual void Invalidate(const TRect& Area) = 0;
    // Shows Area of the surface on the screen before returning.
    virtual void PresentNow(const TRect& Area) = 0;
    virtual TPoint ClientOrigin() const = 0; // screen position of client (0, 0)
    virtual void SetCapture(bool Capture) = 0;
    virtual void SetAcceptDrops(bool Accept) = 0;
};

struct THostMenuItem {
    int Id = 0;              // reported back when chosen
    AnsiString Name;         // the component name, for scripts and tests
    AnsiString Caption;      // with "&" access keys; "-" is a separator
    AnsiString ShortCutText; // "Ctrl+S", empty when none
    bool Checked = false;
    bool RadioItem = false;
    bool Enabled = true;
    bool Visible = true;
    std::vector<THostMenuItem> Items; // a submenu when not empty
};

struct THostFilter {
    AnsiString Description; // "JPEG ファイル (*.jpg;*.jpeg)"
    AnsiString Patterns;    // "*.jpg;*.jpeg"
};

struct THostSaveDialogParams {
    AnsiString Title; // empty: the system's default
    std::vector<THostFilter> Filters;
    int FilterIndex = 0;
    AnsiString InitialDir;
    AnsiString FileName;         // the initial name or path
    AnsiString DefaultExt;       // without the dot
    bool PicturePreview = false; // a preview pane labelled "画像:", "プレビュー", "(なし)"
    std::uintptr_t Owner = 0;
};

enum class THostBoxIcon : std::uint8_t { None, Error, Warning, Information, Question };

struct THostBoxButton {
    AnsiString Caption; // "はい(&Y)"
    int Result = 0;     // what Execute returns when it is chosen
};

struct THostMessageBoxParams {
    AnsiString Caption;
    AnsiString Text;
    THostBoxIcon Icon = THostBoxIcon::None;
    std::vector<THostBoxButton> Buttons;
    int DefaultButton = 0; // index into Buttons
    int EscapeResult = 0;  // the result of Esc or closing the box
    std::uintptr_t Owner = 0;
};

class THost {
public:
    virtual ~THost() = default;

    // The host in use; the program picks one at start-up, tests pick the headless one.
    static THost& Current();
    static void SetCurrent(THost* Host);

    virtual std::unique_ptr<THostWindow> CreateWindow(THostWindowEvents* Events,
                                                      const THostWindowParams& Params) = 0;
    // The application's own (hidden) window handle: the owner of dialogs and mail windows.
    virtual std::uintptr_t ApplicationHandle() const = 0;

    // The loop: Run until Quit; ProcessMessages handles what is pending and returns.
    virtual void Run() = 0;
    virtual void Quit() = 0;
    virtual void ProcessMessages() = 0;
    // Called whenever the loop falls idle (enter and leave notifications, for example).
    virtual void SetIdleHandler(std::function<void()> Handler) = 0;
    // Runs Task from the loop soon after the current event (a posted message).
    virtual void Post(std::function<void()> Task) = 0;
    // The current time in milliseconds on the host's clock.
    virtual std::uint64_t TickCount() const = 0;

    // Repeating timers on the ui thread; ids are never 0.
    virtual int StartTimer(unsigned IntervalMs, std::function<void()> Tick) = 0;
    virtual void StopTimer(int Id) = 0;

    virtual TPoint CursorPos() const = 0;             // screen coordinates
    virtual bool IsKeyDown(int VirtualKey) const = 0; // keys and mouse buttons (VK_LBUTTON ...)
    // The window holding the pointer capture, or null.
    virtual THostWindow* CaptureWindow() const = 0;
    virtual unsigned DoubleClickTime() const = 0; // ms

    // Shows a popup menu at a screen point; returns the chosen item's Id, or 0.
    virtual int PopupMenu(const std::vector<THostMenuItem>& Items, TPoint At) = 0;
    // Modal; returns the confirmed path, or nothing when cancelled.
    virtual std::optional<AnsiString> SaveDialog(const THostSaveDialogParams& Params) = 0;
    // Modal; returns the Result of the chosen button, or EscapeResult.
    virtual int MessageBox(const THostMessageBoxParams& Params) = 0;
    virtual void Beep() = 0;
    // Hands an address to the desktop's opener; true when the opener took it.
    virtual bool OpenUrl(const AnsiString& Url) = 0;

    // Called after the host has refilled the system colour table (SetSysColor) because the
    // desktop's palette changed; the ui then tells its controls (CM_SYSCOLORCHANGE).
    virtual void SetSysColorChangeHandler(std::function<void()> Handler) = 0;
};
