#pragma once

#include "platform/host/Host.h"

#include <map>
#include <memory>
#include <set>

class QApplication;
class QObject;
class QTimer;
class QTranslator;
class QWidget;
class TQtWindow;

// The real desktop through Qt 6 Widgets. The program's main creates it first, with its
// arguments, since Qt needs its application object before any window; it sets itself as
// THost::Current while it lives.
//
// Device pixel ratios are rounded to whole numbers, so a surface pixel is always a whole
// square of device pixels and nothing is blended. Qt's standard dialog texts are Japanese
// (qtbase_ja). System colours come from the palette, at start and whenever it changes.
class TQtHost : public THost {
public:
    // Argc must outlive the host, as Qt requires.
    TQtHost(int& Argc, char** Argv);
    ~TQtHost() override;
    TQtHost(const TQtHost&) = delete;
    TQtHost& operator=(const TQtHost&) = delete;

    std::unique_ptr<THostWindow> CreateWindow(THostWindowEvents* Events,
                                              const THostWindowParams& Params) override;
    std::uintptr_t ApplicationHandle() const override;
    void Run() override;
    void Quit() override;
    void ProcessMessages() override;
    void SetIdleHandler(std::function<void()> Handler) override { FIdle = std::move(Handler); }
    void Post(std::function<void()> Task) override;
    std::uint64_t TickCount() const override;
    int StartTimer(unsigned IntervalMs, std::function<void()> Tick) override;
    void StopTimer(int Id) override;
    TPoint CursorPos() const override;
    bool IsKeyDown(int VirtualKey) const override;
    THostWindow* CaptureWindow() const override;
    unsigned DoubleClickTime() const override;
    int PopupMenu(const std::vector<THostMenuItem>& Items, TPoint At) override;
    std::optional<AnsiString> SaveDialog(const THostSaveDialogParams& Params) override;
    int MessageBox(const THostMessageBoxParams& Params) override;
    void Beep() override;
    bool OpenUrl(const AnsiString& Url) override;
    void SetSysColorChangeHandler(std::function<void()> Handler) override {
        FSysColorChange = std::move(Handler);
    }

    // Whether the translations of Qt's own dialog texts were found.
    bool TranslationsLoaded() const { return FTranslationsLoaded; }
    // Fills the system colour table from the application's palette.
    static void LoadSysColors();
    // The window of a handle, or null.
    TQtWindow* FindWindow(std::uintptr_t Handle) const;

    // For the windows.
    void WindowCreated(TQtWindow* Window) { FWindows.push_back(Window); }
    void WindowDestroyed(TQtWindow* Window);
    void WindowCapture(TQtWindow* Window, bool Capture);
    void KeyPressed(int VirtualKey) { FKeysDown.insert(VirtualKey); }
    void KeyReleased(int VirtualKey) { FKeysDown.erase(VirtualKey); }
    // The palette changed.
    void PaletteChanged();

private:
    // The parent of a dialog: the owner's window when it is one of ours, else the active or
    // topmost form window, so that the dialog stays above an always-on-top window.
    QWidget* DialogParent(std::uintptr_t Owner) const;
    void Idle();

    std::unique_ptr<QApplication> FApp;
    std::unique_ptr<QTranslator> FTranslator;
    std::unique_ptr<QObject> FContext; // posted tasks, timers, the palette watch
    bool FTranslationsLoaded = false;
    bool FQuitRequested = false;
    std::vector<TQtWindow*> FWindows;
    TQtWindow* FCapture = nullptr;
    std::set<int> FKeysDown;
    int FNextTimer = 1;
    std::map<int, QTimer*> FTimers;
    std::function<void()> FIdle;
    std::function<void()> FSysColorChange;
};
