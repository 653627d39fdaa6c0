#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/host/Host.h"

class THeadlessHost;

// An in-memory top-level window. It has no frame: its client area starts at the outer
// corner (Left, Top). What it shows is a copy of the form's surface taken at each present,
// so a test reads exactly what a screen would show, stale areas included.
class THeadlessWindow : public THostWindow {
public:
    // The host must outlive the window.
    THeadlessWindow(THeadlessHost& Host, THostWindowEvents* Events, std::uintptr_t Handle,
                    const THostWindowParams& Params);
    ~THeadlessWindow() override;
    THeadlessWindow(const THeadlessWindow&) = delete;
    THeadlessWindow& operator=(const THeadlessWindow&) = delete;

    std::uintptr_t Handle() const override { return FHandle; }
    void SetCaption(const AnsiString& Caption) override { FParams.Caption = Caption; }
    void SetIcon(const TBitmap& Icon) override;
    void SetGeometry(const THostWindowParams& Params) override;
    void SetSurface(const TBitmap* Surface) override { FSurface = Surface; }
    void Show() override;
    void Hide() override { FVisible = false; }
    bool Visible() const override { return FVisible; }
    void Invalidate(const TRect& Area) override;
    void PresentNow(const TRect& Area) override;
    TPoint ClientOrigin() const override { return {FParams.Left, FParams.Top}; }
    void SetCapture(bool Capture) override;
    void SetAcceptDrops(bool Accept) override { FAcceptDrops = Accept; }

    // What tests read.
    const AnsiString& Caption() const { return FParams.Caption; }
    const THostWindowParams& Params() const { return FParams; }
    TRect ClientRect() const { return {0, 0, FParams.ClientWidth, FParams.ClientHeight}; }
    // The pixels as last presented, client-sized, 32 bits per pixel.
    const TBitmap& Screen() const { return FScreen; }
    TColor ScreenPixel(int X, int Y) const { return FScreen.GetPixel(X, Y); }
    const TBitmap& Icon() const { return FIcon; }
    bool AcceptsDrops() const { return FAcceptDrops; }
    // The area waiting for a paint; empty when everything shown is up to date.
    TRect DirtyArea() const { return FDirty; }
    int PaintCount() const { return FPaintCount; }
    THostWindowEvents& Events() const { return *FEvents; }

    // Asks the form to paint the dirty area and presents it; the host's loop calls this.
    void PaintDirty();

private:
    THeadlessHost& FHost;
    THostWindowEvents* FEvents;
    std::uintptr_t FHandle;
    THostWindowParams FParams;
    const TBitmap* FSurface = nullptr;
    TBitmap FScreen;
    TBitmap FIcon;
    TRect FDirty;
    bool FVisible = false;
    bool FAcceptDrops = false;
    int FPaintCount = 0;
};
