#pragma once

#include "platform/host/Host.h"
#include "platform/host/headless/HeadlessWindow.h"

#include <deque>
#include <map>
#include <set>

// A modal thing the program showed (a popup menu, a save dialog, a message box), or
// something it handed to the desktop (a beep, an address), with the answer given.
struct THeadlessLogEntry {
    enum TKind : std::uint8_t { Menu, SaveDialog, MessageBox, Beep, Url };
    TKind Kind = Beep;
    AnsiString Caption;               // the box's caption, the dialog's title
    AnsiString Text;                  // the box's text, the address
    std::vector<AnsiString> Buttons;  // the box's button captions
    AnsiString Answer;                // a button caption, a path or "cancel", an item name or
                                      // "none", "escape" for a box nobody answered
    int Result = 0;                   // the box's result, the chosen item's Id
    bool Answered = true;             // false: no fitting answer was queued, so it was cancelled
    std::vector<THostMenuItem> Items; // the menu shown
    TPoint At;                        // where the menu opened (screen)
    THostSaveDialogParams Dialog;     // the save dialog's settings
    THostBoxIcon Icon = THostBoxIcon::None; // the box's icon
    int DefaultButton = 0;                  // the box's default button (an index)
};

// A desktop for tests and scripts. Nothing waits: events are injected, modal windows take
// their answers from queues, and time moves only when Advance is called.
//
// Injected events are delivered at once to the window's events; paints and posted tasks wait
// for ProcessMessages (or Advance), as they would wait for the loop. Pointer positions are
// client coordinates of the window given; the pointer capture, when held, takes every
// pointer event in its own client coordinates. Two presses of one button within
// DoubleClickTime on the clock, 4 pixels apart at most, make a double-click.
//
// The host sets itself as THost::Current while it lives.
class THeadlessHost : public THost {
public:
    // The clock starts here, so that zero never looks like a recent time.
    static constexpr std::uint64_t StartTime = 1000000;
    static constexpr unsigned DoubleClickMs = 500;

    THeadlessHost();
    ~THeadlessHost() override;
    THeadlessHost(const THeadlessHost&) = delete;
    THeadlessHost& operator=(const THeadlessHost&) = delete;

    // THost
    std::unique_ptr<THostWindow> CreateWindow(THostWindowEvents* Events,
                                              const THostWindowParams& Params) override;
    std::uintptr_t ApplicationHandle() const override { return FApplicationHandle; }
    // Runs the handler of SetRunHandler (a script) or, without one, the pending work.
    void Run() override;
    void Quit() override { FQuitRequested = true; }
    // Posted tasks, then paints of dirty windows, then idle; again while that left work.
    void ProcessMessages() override;
    void SetIdleHandler(std::function<void()> Handler) override { FIdle = std::move(Handler); }
    void Post(std::function<void()> Task) override { FPosted.push_back(std::move(Task)); }
    std::uint64_t TickCount() const override { return FNow; }
    int StartTimer(unsigned IntervalMs, std::function<void()> Tick) override;
    void StopTimer(int Id) override { FTimers.erase(Id); }
    TPoint CursorPos() const override { return FCursor; }
    bool IsKeyDown(int VirtualKey) const override { return FKeysDown.contains(VirtualKey); }
    THostWindow* CaptureWindow() const override { return FCapture; }
    unsigned DoubleClickTime() const override { return DoubleClickMs; }
    int PopupMenu(const std::vector<THostMenuItem>& Items, TPoint At) override;
    std::optional<AnsiString> SaveDialog(const THostSaveDialogParams& Params) override;
    int MessageBox(const THostMessageBoxParams& Params) override;
    void Beep() override;
    bool OpenUrl(const AnsiString& Url) override;
    void SetSysColorChangeHandler(std::function<void()> Handler) override {
        FSysColorChange = std::move(Handler);
    }

    // The loop.
    void SetRunHandler(std::function<void()> Handler) { FRunHandler = std::move(Handler); }
    bool QuitRequested() const { return FQuitRequested; }
    // Moves the clock on by Ms: every timer due on the way fires in the order of its due time
    // (timers due together in the order they were started), the loop running its pending
    // work and idle after each; then the pending work and idle at the end.
    void Advance(std::uint64_t Ms);

    // Windows, in the order they were created.
    const std::vector<THeadlessWindow*>& Windows() const { return FWindows; }
    THeadlessWindow* FindWindow(std::uintptr_t Handle) const;
    // The last window created that is visible, or null: the default target of a script.
    THeadlessWindow* MainWindow() const;

    // The pointer (client coordinates of Window). A press follows a move to its point when
    // the pointer was elsewhere.
    void MouseMove(THeadlessWindow& Window, int X, int Y);
    void MousePress(THeadlessWindow& Window, int X, int Y, TMouseButton Button = mbLeft);
    void MouseRelease(THeadlessWindow& Window, int X, int Y, TMouseButton Button = mbLeft);
    void Click(THeadlessWindow& Window, int X, int Y, TMouseButton Button = mbLeft);
    // Two clicks at once on the clock: the second press arrives as a double-click.
    void DoubleClick(THeadlessWindow& Window, int X, int Y);
    // The pointer leaves every window.
    void MouseLeave();
    // A key pressed and released; the modifiers of Shift are held meanwhile.
    void Key(THeadlessWindow& Window, std::uint16_t VirtualKey, TShiftState Shift,
             char32_t Char = 0);
    void Key(THeadlessWindow& Window, const THostKeyEvent& Event);
    // Holds or releases a modifier or button key outside a Key call (VK_SHIFT, ...).
    void SetKeyDown(int VirtualKey, bool Down);
    // One shell drop at a client point, or where the pointer is.
    void DropFiles(THeadlessWindow& Window, const std::vector<AnsiString>& Paths, TPoint At);
    void DropFiles(THeadlessWindow& Window, const std::vector<AnsiString>& Paths);
    void RequestClose(THeadlessWindow& Window);

    // Answers for the next modal windows, each queue first in, first out. An item is chosen
    // by its Name; a box answer by its Result or by a button's caption, with or without the
    // "&" access keys; a relative save path is taken in the dialog's folder and gets the
    // default extension when it has none, as a typed name would.
    void QueueMenuChoice(const AnsiString& ItemName);
    void QueueMenuNone();
    void QueueSaveAnswer(const AnsiString& Path);
    void QueueSaveCancel();
    void QueueBoxResult(int Result);
    void QueueBoxButton(const AnsiString& Caption);
    // Answers not yet used.
    std::size_t PendingAnswers() const;

    // Everything shown or handed to the desktop, in order; the handler hears each as it
    // happens.
    const std::vector<THeadlessLogEntry>& Log() const { return FLog; }
    void SetLogHandler(std::function<void(const THeadlessLogEntry&)> Handler) {
        FLogHandler = std::move(Handler);
    }
    void ClearLog() { FLog.clear(); }
    int BeepCount() const;
    std::vector<AnsiString> OpenedUrls() const;

    // A palette change: sets the colour and tells the ui.
    void ChangeSysColor(int Index, TColor Value);

    // For the windows.
    void WindowDestroyed(THeadlessWindow* Window);
    void WindowCapture(THeadlessWindow* Window, bool Capture);

private:
    struct TTimer {
        unsigned Interval;
        std::uint64_t Due;
        std::function<void()> Tick;
    };
    struct TBoxAnswer {
        std::optional<int> Result;
        AnsiString Caption;
    };
    struct TPress {
        THeadlessWindow* Window = nullptr;
        TMouseButton Button = mbLeft;
        std::uint64_t Time = 0;
        TPoint At;
        bool Double = false;
    };

    void AddLog(THeadlessLogEntry Entry);
    bool HasPendingWork() const;
    void RunPendingOnce();
    // The window that receives a pointer event aimed at Window, and the point in its client
    // coordinates.
    THeadlessWindow& PointerTarget(THeadlessWindow& Window, int& X, int& Y) const;
    void SendMouse(THeadlessWindow& Window, THostMouseEvent::TKind Kind, TMouseButton Button, int X,
                   int Y);
    TShiftState CurrentShift() const;
    void PointerEnters(THeadlessWindow& Window);

    std::uintptr_t FNextHandle = 0x10000;
    std::uintptr_t FApplicationHandle;
    std::vector<THeadlessWindow*> FWindows;
    std::deque<std::function<void()>> FPosted;
    std::function<void()> FIdle;
    std::function<void()> FRunHandler;
    std::function<void()> FSysColorChange;
    bool FQuitRequested = false;
    std::uint64_t FNow = StartTime;
    int FNextTimer = 1;
    std::map<int, TTimer> FTimers;
    TPoint FCursor;
    THeadlessWindow* FPointerWindow = nullptr;
    std::set<int> FKeysDown;
    THeadlessWindow* FCapture = nullptr;
    TPress FLastPress;
    std::deque<std::optional<AnsiString>> FMenuAnswers;
    std::deque<std::optional<AnsiString>> FSaveAnswers;
    std::deque<TBoxAnswer> FBoxAnswers;
    std::vector<THeadlessLogEntry> FLog;
    std::function<void(const THeadlessLogEntry&)> FLogHandler;
};
