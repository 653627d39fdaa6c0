#pragma once

#include "platform/host/Host.h"

#include <QRegion>

#include <memory>

class QWidget;
class TQtHost;
class TQtWindowWidget;

// A form's top-level window: one QWidget that shows the form's surface pixel for pixel and
// passes the pointer, keys, drops and close requests to the form.
//
// Painting: Invalidate collects a dirty region and asks Qt for an update; when Qt paints,
// the dirty part of the paint region is first painted by the form (HostPaint), then the
// surface is shown. Other exposures are served from the surface as it is. PresentNow shows
// the surface at once and takes that area off the dirty region, since the form has just
// painted it.
class TQtWindow : public THostWindow {
public:
    TQtWindow(TQtHost& Host, THostWindowEvents* Events, const THostWindowParams& Params);
    ~TQtWindow() override;
    TQtWindow(const TQtWindow&) = delete;
    TQtWindow& operator=(const TQtWindow&) = delete;

    std::uintptr_t Handle() const override;
    void SetCaption(const AnsiString& Caption) override;
    void SetIcon(const TBitmap& Icon) override;
    void SetGeometry(const THostWindowParams& Params) override;
    void SetSurface(const TBitmap* Surface) override { FSurface = Surface; }
    void Show() override;
    void Hide() override;
    bool Visible() const override;
    void Invalidate(const TRect& Area) override;
    void PresentNow(const TRect& Area) override;
    TPoint ClientOrigin() const override;
    void SetCapture(bool Capture) override;
    void SetAcceptDrops(bool Accept) override;

    // The widget that shows the window (tests look at it; dialogs take it as their parent).
    QWidget* Widget() const;

    // For the widget.
    THostWindowEvents& Events() const { return *FEvents; }
    TQtHost& Host() const { return FHost; }
    const TBitmap* Surface() const { return FSurface; }
    // The part of Region the form has to paint before it is shown; taken off the dirty region.
    QRegion TakeDirty(const QRegion& Region);
    // Tells the form the pointer left the window.
    void SendLeave();

private:
    void ApplyFlags(const THostWindowParams& Params);

    TQtHost& FHost;
    THostWindowEvents* FEvents;
    const TBitmap* FSurface = nullptr;
    QRegion FDirty;
    THostWindowParams FParams;
    std::unique_ptr<TQtWindowWidget> FWidget;
};
