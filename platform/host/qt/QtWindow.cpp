#include "platform/host/qt/QtWindow.h"

#include "platform/graphics/Bitmap.h"
#include "platform/host/qt/QtHost.h"
#include "platform/host/qt/QtKeys.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {
QRect ToQRect(const TRect& Rect) {
    return QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
}

TRect ToTRect(const QRect& Rect) {
    return Bounds(Rect.x(), Rect.y(), Rect.width(), Rect.height());
}

bool ButtonOf(Qt::MouseButton Qt, TMouseButton& Button) {
    switch (Qt) {
    case Qt::LeftButton:
        Button = mbLeft;
        return true;
    case Qt::RightButton:
        Button = mbRight;
        return true;
    case Qt::MiddleButton:
        Button = mbMiddle;
        return true;
    default:
        return false;
    }
}

std::vector<AnsiString> LocalPaths(const QMimeData* Data) {
    std::vector<AnsiString> paths;
    if (Data == nullptr || !Data->hasUrls())
        return paths;
    for (const QUrl& url : Data->urls())
        if (url.isLocalFile())
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}
} // namespace

// The widget itself: events in, the surface out.
class TQtWindowWidget : public QWidget {
public:
    explicit TQtWindowWidget(TQtWindow& Window) : FWindow(Window) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* Event) override {
        const QRegion dirty = FWindow.TakeDirty(Event->region());
        if (!dirty.isEmpty())
            FWindow.Events().HostPaint(ToTRect(dirty.boundingRect()));
        const TBitmap* surface = FWindow.Surface();
        QPainter painter(this);
        if (surface == nullptr || surface->Empty()) {
            painter.fillRect(Event->rect(), Qt::black);
            return;
        }
        // The surface's rows are blue, green, red, unused: RGB32 on this byte order. One
        // surface pixel is one logical pixel; whole-number device ratios (see TQtHost)
        // repeat pixels without blending.
        QImage image(surface->ScanLine(0), surface->Width(), surface->Height(),
                     surface->BytesPerLine(), QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const QRect& rect : Event->region())
            painter.drawImage(rect, image, rect);
    }

    void mousePressEvent(QMouseEvent* Event) override {
        TMouseButton button;
        if (!ButtonOf(Event->button(), button))
            return;
        // The platform's rule: a second press of the same button soon after and close by is
        // a double-click, and a third press a plain press again.
        const QPoint at = Event->globalPosition().toPoint();
        const auto distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
        const bool isDouble =
            !FLastWasDouble && FLastButton == Event->button() &&
            Event->timestamp() - FLastTime <
                static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval()) &&
            std::abs(at.x() - FLastAt.x()) <= distance &&
            std::abs(at.y() - FLastAt.y()) <= distance;
        Remember(Event, isDouble);
        Send(Event, isDouble ? THostMouseEvent::DoubleClick : THostMouseEvent::Down, button);
    }
    void mouseDoubleClickEvent(QMouseEvent* Event) override {
        // Qt's widgets get the double-click in place of the second press; should the press
        // have come as well, it was judged above already.
        TMouseButton button;
        if (!ButtonOf(Event->button(), button) || FPressed.testFlag(Event->button()))
            return;
        Remember(Event, true);
        Send(Event, THostMouseEvent::DoubleClick, button);
    }
    void mouseReleaseEvent(QMouseEvent* Event) override {
        FPressed.setFlag(Event->button(), false);
        TMouseButton button;
        if (ButtonOf(Event->button(), button))
            Send(Event, THostMouseEvent::Up, button);
    }
    void mouseMoveEvent(QMouseEvent* Event) override { Send(Event, THostMouseEvent::Move, mbLeft); }
    void leaveEvent(QEvent*) override {
        // A window holding the capture keeps hearing the pointer; it hears that it left when
        // it lets the capture go.
        if (FWindow.Host().CaptureWindow() != &FWindow)
            FWindow.SendLeave();
    }

    bool event(QEvent* Event) override {
        // Tab is a key of the form, not a move of the focus.
        if (Event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(Event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                keyPressEvent(key);
                return true;
            }
        }
        return QWidget::event(Event);
    }
    void keyPressEvent(QKeyEvent* Event) override {
        const THostKeyEvent key = HostKeyOf(*Event, QGuiApplication::mouseButtons());
        if (key.Key == 0 && key.Char == 0)
            return;
        FWindow.Host().KeyPressed(key.Key);
        FWindow.Events().HostKey(key);
    }
    void keyReleaseEvent(QKeyEvent* Event) override {
        if (!Event->isAutoRepeat())
            FWindow.Host().KeyReleased(VirtualKeyOf(Event->key()));
    }

    void dragEnterEvent(QDragEnterEvent* Event) override {
        if (!LocalPaths(Event->mimeData()).empty())
            Event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* Event) override {
        if (!LocalPaths(Event->mimeData()).empty())
            Event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* Event) override {
        std::vector<AnsiString> paths = LocalPaths(Event->mimeData());
        if (paths.empty())
            return;
        Event->acceptProposedAction();
        // The drop is a posted message: it is handled once the drag has finished, so that a
        // box it opens never holds the other program's drag.
        const QPoint at = Event->position().toPoint();
        QPointer<TQtWindowWidget> self(this);
        TQtWindow* window = &FWindow;
        QTimer::singleShot(0, this, [self, window, paths = std::move(paths), at] {
            if (self)
                window->Events().HostDropFiles(paths, {at.x(), at.y()});
        });
    }

    void closeEvent(QCloseEvent* Event) override {
        // The form decides whether and how it closes.
        Event->ignore();
        FWindow.Events().HostCloseRequest();
    }

private:
    void Remember(const QMouseEvent* Event, bool Double) {
        FLastButton = Event->button();
        FLastTime = Event->timestamp();
        FLastAt = Event->globalPosition().toPoint();
        FLastWasDouble = Double;
        FPressed.setFlag(Event->button(), true);
    }
    void Send(QMouseEvent* Event, THostMouseEvent::TKind Kind, TMouseButton Button) {
        THostMouseEvent event;
        event.Kind = Kind;
        event.Button = Button;
        event.Shift = ShiftStateOf(Event->modifiers(), Event->buttons());
        if (Kind == THostMouseEvent::DoubleClick)
            event.Shift << ssDouble;
        const QPoint at = Event->position().toPoint();
        event.X = at.x();
        event.Y = at.y();
        FWindow.Events().HostMouse(event);
    }

    TQtWindow& FWindow;
    Qt::MouseButton FLastButton = Qt::NoButton;
    quint64 FLastTime = 0;
    QPoint FLastAt;
    bool FLastWasDouble = false;
    Qt::MouseButtons FPressed;
};

TQtWindow::TQtWindow(TQtHost& Host, THostWindowEvents* Events, const THostWindowParams& Params)
    : FHost(Host), FEvents(Events), FWidget(std::make_unique<TQtWindowWidget>(*this)) {
    SetCaption(Params.Caption);
    SetGeometry(Params);
    FHost.WindowCreated(this);
}

TQtWindow::~TQtWindow() {
    FHost.WindowDestroyed(this);
}

std::uintptr_t TQtWindow::Handle() const {
    return reinterpret_cast<std::uintptr_t>(this);
}

QWidget* TQtWindow::Widget() const {
    return FWidget.get();
}

void TQtWindow::SetCaption(const AnsiString& Caption) {
    FParams.Caption = Caption;
    FWidget->setWindowTitle(QString::fromStdString(Caption));
}

void TQtWindow::SetIcon(const TBitmap& Icon) {
    // A transparent icon's transparent colour is see-through, as on the taskbar elsewhere.
    QImage image(Icon.Width(), Icon.Height(), QImage::Format_ARGB32);
    const bool transparent = Icon.Transparent();
    const TColor clear = Icon.TransparentColor();
    for (int y = 0; y < Icon.Height(); ++y)
        for (int x = 0; x < Icon.Width(); ++x) {
            const TColor c = Icon.GetPixel(x, y);
            const int alpha = transparent && c == clear ? 0 : 255;
            image.setPixel(x, y, qRgba(GetRValue(c), GetGValue(c), GetBValue(c), alpha));
        }
    FWidget->setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

void TQtWindow::ApplyFlags(const THostWindowParams& Params) {
    Qt::WindowFlags flags = Qt::Window;
    if (Params.ToolWindow)
        flags =
            Qt::Tool | Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (Params.StayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (flags == FWidget->windowFlags())
        return;
    const bool visible = FWidget->isVisible();
    FWidget->setWindowFlags(flags); // hides the window
    // A parentless tool window stops counting for the end of the program; it is the main
    // window here.
    FWidget->setAttribute(Qt::WA_QuitOnClose, true);
    if (visible)
        FWidget->show();
}

void TQtWindow::SetGeometry(const THostWindowParams& Params) {
    const bool resized =
        Params.ClientWidth != FParams.ClientWidth || Params.ClientHeight != FParams.ClientHeight;
    const AnsiString caption = FParams.Caption;
    FParams = Params;
    FParams.Caption = caption;
    ApplyFlags(Params);
    const QSize size(Params.ClientWidth, Params.ClientHeight);
    if (Params.ToolWindow || !Params.Resizable) {
        FWidget->setFixedSize(size);
    } else {
        FWidget->setMinimumSize(0, 0);
        FWidget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        FWidget->resize(size);
    }
    FWidget->move(Params.Left, Params.Top);
    if (resized)
        Invalidate({0, 0, Params.ClientWidth, Params.ClientHeight});
}

void TQtWindow::Show() {
    if (!FWidget->isVisible())
        FDirty += FWidget->rect();
    FWidget->show();
}

void TQtWindow::Hide() {
    FWidget->hide();
}

bool TQtWindow::Visible() const {
    return FWidget->isVisible();
}

void TQtWindow::Invalidate(const TRect& Area) {
    const QRect rect = ToQRect(Area) & FWidget->rect();
    if (rect.isEmpty())
        return;
    FDirty += rect;
    FWidget->update(rect);
}

void TQtWindow::PresentNow(const TRect& Area) {
    const QRect rect = ToQRect(Area) & FWidget->rect();
    if (rect.isEmpty())
        return;
    FDirty -= rect;
    FWidget->repaint(rect);
}

QRegion TQtWindow::TakeDirty(const QRegion& Region) {
    const QRegion dirty = FDirty & Region;
    FDirty -= dirty;
    return dirty;
}

TPoint TQtWindow::ClientOrigin() const {
    const QPoint origin = FWidget->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y()};
}

void TQtWindow::SetCapture(bool Capture) {
    const bool held = FHost.CaptureWindow() == this;
    FHost.WindowCapture(this, Capture);
    if (held && !Capture && !FWidget->underMouse())
        SendLeave();
}

void TQtWindow::SendLeave() {
    THostMouseEvent event;
    event.Kind = THostMouseEvent::Leave;
    event.Shift =
        ShiftStateOf(QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons());
    FEvents->HostMouse(event);
}

void TQtWindow::SetAcceptDrops(bool Accept) {
    FWidget->setAcceptDrops(Accept);
}
