#include "platform/host/qt/QtHost.h"

#include "platform/graphics/Color.h"
#include "platform/host/qt/QtMenu.h"
#include "platform/host/qt/QtMessageBox.h"
#include "platform/host/qt/QtSaveDialog.h"
#include "platform/host/qt/QtWindow.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QPalette>
#include <QStyleHints>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace {
TColor ColorOf(const QColor& Color) {
    return RGB(static_cast<std::uint8_t>(Color.red()), static_cast<std::uint8_t>(Color.green()),
               static_cast<std::uint8_t>(Color.blue()));
}

// Hears the application's palette change; everything else passes.
class TPaletteWatch : public QObject {
public:
    explicit TPaletteWatch(TQtHost& Host) : FHost(Host) {}

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override {
        if (Event->type() == QEvent::ApplicationPaletteChange && Object == qApp)
            FHost.PaletteChanged();
        return false;
    }

private:
    TQtHost& FHost;
};

// Runs before Qt's application object exists.
int& PrepareQt(int& Argc) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    return Argc;
}
} // namespace

TQtHost::TQtHost(int& Argc, char** Argv)
    : FApp(std::make_unique<QApplication>(PrepareQt(Argc), Argv)),
      FTranslator(std::make_unique<QTranslator>()),
      FContext(std::make_unique<TPaletteWatch>(*this)) {
    // The program speaks Japanese whatever the desktop's language, Qt's own texts included.
    FTranslationsLoaded =
        FTranslator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (FTranslationsLoaded)
        QCoreApplication::installTranslator(FTranslator.get());
    FApp->installEventFilter(FContext.get());
    LoadSysColors();
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     FContext.get(), [this] { Idle(); });
    THost::SetCurrent(this);
}

TQtHost::~TQtHost() {
    THost::SetCurrent(nullptr);
    // The timers go with their parent, before the application object.
    FTimers.clear();
    FApp->removeEventFilter(FContext.get());
    FContext.reset();
    QCoreApplication::removeTranslator(FTranslator.get());
}

std::unique_ptr<THostWindow> TQtHost::CreateWindow(THostWindowEvents* Events,
                                                   const THostWindowParams& Params) {
    return std::make_unique<TQtWindow>(*this, Events, Params);
}

std::uintptr_t TQtHost::ApplicationHandle() const {
    // Stands for the application's hidden window; nothing outside draws on it.
    return reinterpret_cast<std::uintptr_t>(this);
}

void TQtHost::WindowDestroyed(TQtWindow* Window) {
    std::erase(FWindows, Window);
    if (FCapture == Window)
        FCapture = nullptr;
}

void TQtHost::WindowCapture(TQtWindow* Window, bool Capture) {
    if (Capture)
        FCapture = Window;
    else if (FCapture == Window)
        FCapture = nullptr;
}

TQtWindow* TQtHost::FindWindow(std::uintptr_t Handle) const {
    for (TQtWindow* window : FWindows)
        if (window->Handle() == Handle)
            return window;
    return nullptr;
}

// The loop

void TQtHost::Run() {
    // Qt forgets a quit that came before its loop ran.
    if (FQuitRequested)
        return;
    QApplication::exec();
}

void TQtHost::Quit() {
    FQuitRequested = true;
    QCoreApplication::quit();
}

void TQtHost::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TQtHost::Idle() {
    // The platform's own modal loops (menus, dialogs, boxes) do not run the program's idle.
    if (!FIdle || QApplication::activePopupWidget() != nullptr ||
        QApplication::activeModalWidget() != nullptr)
        return;
    FIdle();
}

void TQtHost::Post(std::function<void()> Task) {
    QMetaObject::invokeMethod(FContext.get(), std::move(Task), Qt::QueuedConnection);
}

std::uint64_t TQtHost::TickCount() const {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

int TQtHost::StartTimer(unsigned IntervalMs, std::function<void()> Tick) {
    const int id = FNextTimer++;
    auto* timer = new QTimer(FContext.get());
    timer->setInterval(static_cast<int>(IntervalMs));
    QObject::connect(timer, &QTimer::timeout, timer, std::move(Tick));
    FTimers[id] = timer;
    timer->start();
    return id;
}

void TQtHost::StopTimer(int Id) {
    const auto it = FTimers.find(Id);
    if (it == FTimers.end())
        return;
    // A timer may be stopped from its own tick: let Qt free it once the tick is over.
    it->second->stop();
    it->second->deleteLater();
    FTimers.erase(it);
}

// Pointer and keys

TPoint TQtHost::CursorPos() const {
    const QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

bool TQtHost::IsKeyDown(int VirtualKey) const {
    switch (VirtualKey) {
    case VK_SHIFT:
        return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
    case VK_CONTROL:
        return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
    case VK_MENU:
        return (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
    case VK_LBUTTON:
        return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
    case VK_RBUTTON:
        return (QGuiApplication::mouseButtons() & Qt::RightButton) != 0;
    case VK_MBUTTON:
        return (QGuiApplication::mouseButtons() & Qt::MiddleButton) != 0;
    default:
        return FKeysDown.contains(VirtualKey);
    }
}

THostWindow* TQtHost::CaptureWindow() const {
    return FCapture;
}

unsigned TQtHost::DoubleClickTime() const {
    return static_cast<unsigned>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

// Modal windows

QWidget* TQtHost::DialogParent(std::uintptr_t Owner) const {
    if (TQtWindow* window = FindWindow(Owner); window != nullptr && window->Visible())
        return window->Widget();
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it)
        if ((*it)->Visible())
            return (*it)->Widget();
    return nullptr;
}

int TQtHost::PopupMenu(const std::vector<THostMenuItem>& Items, TPoint At) {
    QMenu menu;
    BuildMenu(menu, Items);
    const QAction* chosen = menu.exec(QPoint(At.X, At.Y));
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

std::optional<AnsiString> TQtHost::SaveDialog(const THostSaveDialogParams& Params) {
    return RunSaveDialog(Params, DialogParent(Params.Owner));
}

int TQtHost::MessageBox(const THostMessageBoxParams& Params) {
    return RunMessageBox(Params, DialogParent(Params.Owner));
}

void TQtHost::Beep() {
    QApplication::beep();
}

bool TQtHost::OpenUrl(const AnsiString& Url) {
    const QUrl url = !Url.empty() && Url[0] == '/'
                         ? QUrl::fromLocalFile(QFile::decodeName(Url.c_str()))
                         : QUrl(QString::fromStdString(Url), QUrl::TolerantMode);
    return QDesktopServices::openUrl(url);
}

// System colours

void TQtHost::LoadSysColors() {
    const QPalette palette = QApplication::palette();
    const auto active = [&](QPalette::ColorRole Role) {
        return ColorOf(palette.color(QPalette::Active, Role));
    };
    SetSysColor(COLOR_BTNFACE, active(QPalette::Button));
    SetSysColor(COLOR_BTNTEXT, active(QPalette::ButtonText));
    SetSysColor(COLOR_BTNHIGHLIGHT, active(QPalette::Light));
    SetSysColor(COLOR_3DLIGHT, active(QPalette::Midlight));
    SetSysColor(COLOR_BTNSHADOW, active(QPalette::Dark));
    SetSysColor(COLOR_3DDKSHADOW, active(QPalette::Shadow));
    SetSysColor(COLOR_WINDOWFRAME, active(QPalette::Shadow));
    SetSysColor(COLOR_WINDOW, active(QPalette::Base));
    SetSysColor(COLOR_WINDOWTEXT, active(QPalette::Text));
    SetSysColor(COLOR_MENU, active(QPalette::Window));
    SetSysColor(COLOR_MENUTEXT, active(QPalette::WindowText));
    SetSysColor(COLOR_HIGHLIGHT, active(QPalette::Highlight));
    SetSysColor(COLOR_HIGHLIGHTTEXT, active(QPalette::HighlightedText));
    SetSysColor(COLOR_GRAYTEXT, ColorOf(palette.color(QPalette::Disabled, QPalette::Text)));
    SetSysColor(COLOR_INFOBK, active(QPalette::ToolTipBase));
    SetSysColor(COLOR_INFOTEXT, active(QPalette::ToolTipText));
}

void TQtHost::PaletteChanged() {
    LoadSysColors();
    if (FSysColorChange)
        FSysColorChange();
}
