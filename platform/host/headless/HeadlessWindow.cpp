#include "platform/host/headless/HeadlessWindow.h"

#include "platform/host/headless/HeadlessHost.h"

#include <cstring>

namespace {
// Copies the pixels of Area (clipped to both bitmaps) row by row; both are 32 bits a pixel.
void CopyArea(const TBitmap& From, TBitmap& To, TRect Area) {
    Area = IntersectRect(
        Area, {0, 0, std::min(From.Width(), To.Width()), std::min(From.Height(), To.Height())});
    if (IsRectEmpty(Area))
        return;
    const std::size_t bytes = static_cast<std::size_t>(Area.Width()) * 4;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        std::memcpy(To.ScanLine(y) + Area.Left * 4, From.ScanLine(y) + Area.Left * 4, bytes);
}
} // namespace

THeadlessWindow::THeadlessWindow(THeadlessHost& Host, THostWindowEvents* Events,
                                 std::uintptr_t Handle, const THostWindowParams& Params)
    : FHost(Host), FEvents(Events), FHandle(Handle), FParams(Params) {
    FScreen.SetPixelFormat(pf32bit);
    FScreen.SetSize(Params.ClientWidth, Params.ClientHeight);
}

THeadlessWindow::~THeadlessWindow() {
    FHost.WindowDestroyed(this);
}

void THeadlessWindow::SetIcon(const TBitmap& Icon) {
    FIcon.SetPixelFormat(Icon.PixelFormat());
    FIcon.SetSize(Icon.Width(), Icon.Height());
    for (int y = 0; y < Icon.Height(); ++y)
        std::memcpy(FIcon.ScanLine(y), Icon.ScanLine(y), Icon.BytesPerLine());
}

void THeadlessWindow::SetGeometry(const THostWindowParams& Params) {
    const bool resized =
        Params.ClientWidth != FParams.ClientWidth || Params.ClientHeight != FParams.ClientHeight;
    const AnsiString caption = FParams.Caption;
    FParams = Params;
    FParams.Caption = caption;
    if (resized) {
        // Like a real window, the newly exposed area waits for a paint.
        FScreen.SetSize(Params.ClientWidth, Params.ClientHeight);
        Invalidate(ClientRect());
    }
}

void THeadlessWindow::Show() {
    if (FVisible)
        return;
    FVisible = true;
    Invalidate(ClientRect());
}

void THeadlessWindow::Invalidate(const TRect& Area) {
    FDirty = UnionRect(FDirty, IntersectRect(Area, ClientRect()));
}

void THeadlessWindow::PresentNow(const TRect& Area) {
    if (FSurface != nullptr)
        CopyArea(*FSurface, FScreen, Area);
}

void THeadlessWindow::SetCapture(bool Capture) {
    FHost.WindowCapture(this, Capture);
}

void THeadlessWindow::PaintDirty() {
    if (!FVisible || IsRectEmpty(FDirty))
        return;
    const TRect area = FDirty;
    FDirty = {};
    ++FPaintCount;
    FEvents->HostPaint(area);
    PresentNow(area);
}
