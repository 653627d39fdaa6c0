#include "platform/host/qt/QtHost.h"

#include "platform/graphics/Bitmap.h"
#include "platform/host/qt/QtSaveDialog.h"
#include "platform/host/qt/QtWindow.h"
#include "support/qt/ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// One Qt application for the whole program, as Qt wants; the desktop's own dialogs cannot
// be driven from a test.
class TQtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Host = std::make_unique<TQtHost>(Argc, Argv);
    }
    void TearDown() override { Host.reset(); }

    static inline std::unique_ptr<TQtHost> Host;

private:
    int Argc = 1;
    char Name[16] = "qt-host-test";
    char* Argv[2] = {Name, nullptr};
};

const auto* const Environment = testing::AddGlobalTestEnvironment(new TQtEnvironment);

TQtHost& Host() {
    return *TQtEnvironment::Host;
}

// A form stand-in on a real window: paints a pattern into its surface and records the rest.
class TRecordingForm : public THostWindowEvents {
public:
    explicit TRecordingForm(THostWindowParams Params = DefaultParams()) {
        Surface.SetPixelFormat(pf32bit);
        Surface.SetSize(Params.ClientWidth, Params.ClientHeight);
        Window.reset(static_cast<TQtWindow*>(Host().CreateWindow(this, Params).release()));
        Window->SetSurface(&Surface);
    }

    static THostWindowParams DefaultParams() {
        THostWindowParams params;
        params.Caption = "ピコラム";
        params.Left = 40;
        params.Top = 30;
        params.ClientWidth = 48;
        params.ClientHeight = 32;
        params.ToolWindow = true;
        params.StayOnTop = true;
        params.Resizable = false;
        return params;
    }

    // Each pixel its own colour, so that a shift or a scale shows.
    static TColor Pattern(int X, int Y) { return RGB(X * 5, Y * 7, (X + Y) % 2 ? 200 : 30); }

    void HostPaint(const TRect& Area) override {
        Paints.push_back(Area);
        for (int y = Area.Top; y < Area.Bottom; ++y)
            for (int x = Area.Left; x < Area.Right; ++x)
                Surface.SetPixel(x, y, Pattern(x, y));
    }
    void HostMouse(const THostMouseEvent& Event) override {
        if (Event.Kind == THostMouseEvent::Leave)
            ++Leaves;
        else if (Event.Kind != THostMouseEvent::Move)
            Mouse.push_back(Event);
    }
    void HostKey(const THostKeyEvent& Event) override { Keys.push_back(Event); }
    void HostDropFiles(const std::vector<AnsiString>& Paths, TPoint At) override {
        Drops.push_back(Paths);
        DropPoint = At;
    }
    void HostCloseRequest() override { ++CloseRequests; }

    void ShowAndWait() {
        Window->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window->Widget()));
        Host().ProcessMessages();
    }
    QWindow* NativeWindow() const { return Window->Widget()->windowHandle(); }

    TBitmap Surface;
    std::unique_ptr<TQtWindow> Window;
    std::vector<TRect> Paints;
    std::vector<THostMouseEvent> Mouse;
    std::vector<THostKeyEvent> Keys;
    std::vector<std::vector<AnsiString>> Drops;
    TPoint DropPoint;
    int CloseRequests = 0;
    int Leaves = 0;
};

TEST(QtHost, ToolWindowHasItsFlagsAndAFixedSize) {
    TRecordingForm form;
    QWidget* widget = form.Window->Widget();
    const Qt::WindowFlags flags = widget->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    for (Qt::WindowType hint : {Qt::WindowStaysOnTopHint, Qt::WindowCloseButtonHint,
                                Qt::WindowTitleHint, Qt::CustomizeWindowHint})
        EXPECT_TRUE(flags.testFlag(hint)) << hint;
    for (Qt::WindowType hint : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        EXPECT_FALSE(flags.testFlag(hint)) << hint;
    EXPECT_EQ(widget->minimumSize(), QSize(48, 32));
    EXPECT_EQ(widget->maximumSize(), QSize(48, 32));
    EXPECT_TRUE(widget->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("ピコラム"));
}

TEST(QtHost, TheIconLeavesOutItsTransparentColour) {
    TRecordingForm form;
    TBitmap icon;
    icon.SetPixelFormat(pf32bit);
    icon.SetSize(2, 1);
    icon.SetPixel(0, 0, clFuchsia);
    icon.SetPixel(1, 0, clLime);
    icon.SetTransparentColor(clFuchsia);
    icon.SetTransparent(true);
    form.Window->SetIcon(icon);
    const QImage shown = form.Window->Widget()->windowIcon().pixmap(QSize(2, 1)).toImage();
    ASSERT_EQ(shown.size(), QSize(2, 1));
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(shown.pixel(1, 0), qRgba(0, 255, 0, 255));
}

TEST(QtHost, PlainWindowIsResizableAndNotOnTop) {
    THostWindowParams params = TRecordingForm::DefaultParams();
    params.ToolWindow = false;
    params.StayOnTop = false;
    params.Resizable = true;
    TRecordingForm form(params);
    QWidget* widget = form.Window->Widget();
    EXPECT_EQ(widget->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    EXPECT_FALSE(widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NE(widget->minimumSize(), widget->maximumSize());
    EXPECT_EQ(widget->size(), QSize(48, 32));
}

TEST(QtHost, PaintShowsTheSurfacePixelForPixel) {
    TRecordingForm form;
    form.ShowAndWait();
    ASSERT_FALSE(form.Paints.empty());
    EXPECT_EQ(form.Paints.front(), Rect(0, 0, 48, 32));
    const QImage shown = form.Window->Widget()->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(48, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x) {
            const TColor expected = TRecordingForm::Pattern(x, y);
            const QRgb pixel = shown.pixel(x, y);
            ASSERT_EQ(RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)), expected)
                << "at " << x << ", " << y;
        }
}

TEST(QtHost, InvalidatedAreaIsPaintedByTheFormOnceTheLoopRuns) {
    TRecordingForm form;
    form.ShowAndWait();
    form.Paints.clear();
    form.Window->Invalidate(Rect(4, 5, 10, 12));
    EXPECT_TRUE(form.Paints.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Paints.empty(); }, 2000));
    ASSERT_EQ(form.Paints.size(), 1u);
    EXPECT_EQ(form.Paints[0], Rect(4, 5, 10, 12));
    // Presenting shows what the form drew without asking it to paint again.
    form.Window->PresentNow(Rect(0, 0, 48, 32));
    EXPECT_EQ(form.Paints.size(), 1u);
}

TEST(QtHost, DroppedLocalFilesReachTheFormInOrder) {
    TRecordingForm form;
    form.Window->SetAcceptDrops(true);
    form.ShowAndWait();
    QMimeData data;
    data.setData("text/uri-list", "file:///tmp/a%20b.jpg\r\n"
                                  "http://example.invalid/c.jpg\r\n"
                                  "file:///tmp/%E5%86%99%E7%9C%9F.bmp\r\n");
    // A drag enters before it drops, as from another program.
    QDragEnterEvent enter(QPoint(12, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.Window->Widget(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(12, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.Window->Widget(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Drops.empty(); }, 2000));
    ASSERT_EQ(form.Drops.size(), 1u);
    EXPECT_EQ(form.Drops[0], (std::vector<AnsiString>{"/tmp/a b.jpg", "/tmp/写真.bmp"}));
    EXPECT_EQ(form.DropPoint, Point(12, 9));
}

TEST(QtHost, RightClickReachesTheFormWithItsButton) {
    TRecordingForm form;
    form.ShowAndWait();
    QTest::mouseClick(form.NativeWindow(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Mouse.size() >= 2; }, 2000));
    ASSERT_EQ(form.Mouse.size(), 2u);
    EXPECT_EQ(form.Mouse[0].Kind, THostMouseEvent::Down);
    EXPECT_EQ(form.Mouse[0].Button, mbRight);
    EXPECT_EQ(form.Mouse[0].Shift, ssShift | ssRight);
    EXPECT_EQ(form.Mouse[0].X, 10);
    EXPECT_EQ(form.Mouse[0].Y, 20);
    EXPECT_EQ(form.Mouse[1].Kind, THostMouseEvent::Up);
    EXPECT_EQ(form.Mouse[1].Button, mbRight);
}

TEST(QtHost, SecondPressSoonAfterIsADoubleClick) {
    TRecordingForm form;
    form.ShowAndWait();
    QTest::mouseDClick(form.NativeWindow(), Qt::LeftButton, {}, QPoint(5, 6));
    // A third press straight after is a plain press again.
    QTest::mouseClick(form.NativeWindow(), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Mouse.size() >= 6; }, 2000));
    std::vector<THostMouseEvent::TKind> kinds;
    for (const THostMouseEvent& event : form.Mouse)
        kinds.push_back(event.Kind);
    EXPECT_EQ(kinds, (std::vector<THostMouseEvent::TKind>{
                         THostMouseEvent::Down, THostMouseEvent::Up, THostMouseEvent::DoubleClick,
                         THostMouseEvent::Up, THostMouseEvent::Down, THostMouseEvent::Up}));
}

TEST(QtHost, KeysArriveAsVirtualKeysWithShiftAndCharacter) {
    struct TCase {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        std::uint16_t VirtualKey;
        TShiftState Shift;
        char32_t Char;
    };
    const TCase cases[] = {
        {Qt::Key_S, Qt::ControlModifier, 'S', ssCtrl, 0},
        {Qt::Key_M, Qt::ControlModifier, 'M', ssCtrl, 0},
        {Qt::Key_F1, Qt::ShiftModifier, VK_F1, ssShift, 0},
        {Qt::Key_F2, Qt::ControlModifier, VK_F1 + 1, ssCtrl, 0},
        {Qt::Key_F12, Qt::NoModifier, VK_F12, {}, 0},
        {Qt::Key_Insert, Qt::NoModifier, VK_INSERT, {}, 0},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE, {}, 0},
        {Qt::Key_Left, Qt::NoModifier, VK_LEFT, {}, 0},
        {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE, {}, 0x1B},
        {Qt::Key_Return, Qt::NoModifier, VK_RETURN, {}, '\r'},
        {Qt::Key_Tab, Qt::NoModifier, VK_TAB, {}, '\t'},
        {Qt::Key_7, Qt::NoModifier, '7', {}, '7'},
    };
    TRecordingForm form;
    form.ShowAndWait();
    for (const TCase& c : cases) {
        form.Keys.clear();
        QTest::keyClick(form.Window->Widget(), c.Key, c.Modifiers);
        // The modifier comes first, as a key of its own.
        ASSERT_EQ(form.Keys.size(), c.Modifiers == Qt::NoModifier ? 1u : 2u) << c.Key;
        if (c.Modifiers != Qt::NoModifier) {
            EXPECT_EQ(form.Keys[0].Key, c.Modifiers == Qt::ShiftModifier ? VK_SHIFT : VK_CONTROL);
        }
        const THostKeyEvent& key = form.Keys.back();
        EXPECT_EQ(key.Key, c.VirtualKey) << c.Key;
        EXPECT_EQ(key.Shift, c.Shift) << c.Key;
        EXPECT_EQ(key.Char, c.Char) << c.Key;
    }
    form.Keys.clear();
    QTest::keyClick(form.Window->Widget(), 'a');
    ASSERT_EQ(form.Keys.size(), 1u);
    EXPECT_EQ(form.Keys[0].Key, 'A');
    EXPECT_EQ(form.Keys[0].Char, U'a');
}

TEST(QtHost, WindowHoldingTheCaptureHearsItLeftWhenItLetsGo) {
    TRecordingForm form;
    form.ShowAndWait();
    form.Leaves = 0;
    form.Window->SetCapture(true);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.Window->Widget(), &leave);
    EXPECT_EQ(form.Leaves, 0);
    form.Window->SetCapture(false);
    EXPECT_EQ(form.Leaves, 1);
    QApplication::sendEvent(form.Window->Widget(), &leave);
    EXPECT_EQ(form.Leaves, 2);
}

TEST(QtHost, CloseButtonAsksTheForm) {
    TRecordingForm form;
    form.ShowAndWait();
    form.Window->Widget()->close();
    EXPECT_EQ(form.CloseRequests, 1);
    EXPECT_TRUE(form.Window->Visible());
}

THostMessageBoxParams ConfirmBox() {
    THostMessageBoxParams box;
    box.Caption = "確認";
    box.Text = "/tmp/a.jpg は既に存在します。\n上書きしますか？";
    box.Icon = THostBoxIcon::Question;
    box.Buttons = {{"はい(&Y)", 6}, {"いいえ(&N)", 7}};
    box.EscapeResult = 7;
    return box;
}

TEST(QtHost, MessageBoxShowsTheJapaneseButtonsAndAnswers) {
    TRecordingForm form;
    form.ShowAndWait();
    QString title;
    QString text;
    QStringList captions;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    TModalAnswer answer([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QString::fromUtf8("はい(&Y)"))
                button->click();
    });
    EXPECT_EQ(Host().MessageBox(ConfirmBox()), 6);
    ASSERT_TRUE(answer.Found);
    EXPECT_EQ(title, QString::fromUtf8("確認"));
    EXPECT_EQ(text, QString::fromStdString(ConfirmBox().Text));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(captions,
              (QStringList{QString::fromUtf8("はい(&Y)"), QString::fromUtf8("いいえ(&N)")}));
}

TEST(QtHost, MessageBoxEscapeGivesTheEscapeResult) {
    TModalAnswer answer([](QWidget* widget) { QTest::keyClick(widget, Qt::Key_Escape); });
    EXPECT_EQ(Host().MessageBox(ConfirmBox()), 7);
    EXPECT_TRUE(answer.Found);
}

THostMenuItem Item(int Id, const AnsiString& Caption, const AnsiString& ShortCut = "") {
    THostMenuItem item;
    item.Id = Id;
    item.Name = "Item" + std::to_string(Id);
    item.Caption = Caption;
    item.ShortCutText = ShortCut;
    return item;
}

TEST(QtHost, PopupMenuShowsTheModelAndReturnsTheChosenItem) {
    THostMenuItem markers = Item(4, "マーカー(&K)");
    markers.Items = {Item(5, "白い数字", "Shift+F1"), Item(6, "なし", "Shift+F2")};
    markers.Items[0].Checked = true;
    THostMenuItem hidden = Item(7, "隠れた");
    hidden.Visible = false;
    THostMenuItem off = Item(8, "無効");
    off.Enabled = false;
    const std::vector<THostMenuItem> items = {Item(1, "保存(&S)...", "Ctrl+S"), Item(2, "-"),
                                              markers, hidden, off};
    QStringList texts;
    QStringList subTexts;
    bool subChecked = false;
    bool shortcutsEmpty = true;
    bool offEnabled = true;
    TModalAnswer answer(
        [&](QWidget* widget) {
            auto* menu = qobject_cast<QMenu*>(widget);
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                texts << (action->isSeparator() ? QString("-") : action->text());
                shortcutsEmpty = shortcutsEmpty && action->shortcut().isEmpty();
                if (action->menu() != nullptr)
                    for (QAction* sub : action->menu()->actions()) {
                        subTexts << sub->text();
                        subChecked = subChecked || (sub->isChecked() && sub->data().toInt() == 5);
                        shortcutsEmpty = shortcutsEmpty && sub->shortcut().isEmpty();
                    }
                if (action->data().toInt() == 8)
                    offEnabled = action->isEnabled();
            }
            QAction* save = menu->actions().front();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(save).center());
        },
        true);
    EXPECT_EQ(Host().PopupMenu(items, Point(100, 100)), 1);
    ASSERT_TRUE(answer.Found);
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("保存(&S)...\tCtrl+S"), "-",
                                  QString::fromUtf8("マーカー(&K)"), QString::fromUtf8("無効")}));
    EXPECT_EQ(subTexts, (QStringList{QString::fromUtf8("白い数字\tShift+F1"),
                                     QString::fromUtf8("なし\tShift+F2")}));
    EXPECT_TRUE(subChecked);
    EXPECT_TRUE(shortcutsEmpty) << "Qt must not fire the shortcuts itself";
    EXPECT_FALSE(offEnabled);
}

TEST(QtHost, PopupMenuClosedWithoutChoiceGivesZero) {
    TModalAnswer answer([](QWidget* widget) { widget->close(); }, true);
    EXPECT_EQ(Host().PopupMenu({Item(1, "保存(&S)...")}, Point(10, 10)), 0);
    EXPECT_TRUE(answer.Found);
}

TEST(QtHost, QtFiltersListTheirPatternsWithBlanks) {
    EXPECT_EQ(QtFilterOf({"JPEG ファイル (*.jpg;*.jpeg)", "*.jpg;*.jpeg"}),
              QString::fromUtf8("JPEG ファイル (*.jpg *.jpeg)"));
    EXPECT_EQ(QtFilterOf({"ビットマップ", "*.bmp"}), QString::fromUtf8("ビットマップ (*.bmp)"));
}

class QtSaveDialogTest : public testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/qt-save-test-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        Folder = dir;
        Params.Filters = {{"JPEG ファイル (*.jpg;*.jpeg)", "*.jpg;*.jpeg"}};
        Params.DefaultExt = "jpg";
        Params.PicturePreview = true;
        Params.InitialDir = Folder;
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    AnsiString Folder;
    THostSaveDialogParams Params;
};

TEST_F(QtSaveDialogTest, OpensWithTheFilterAndPreviewAndAnswersAPath) {
    QImage(4, 3, QImage::Format_RGB32).save(QString::fromStdString(Folder + "/photo.jpg"));
    QStringList filters;
    QString suffix;
    bool confirms = true;
    bool native = true;
    QStringList previewTexts;
    QString previewOfPhoto;
    TModalAnswer answer([&](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        auto* preview = dialog->findChild<QWidget*>("PicturePreview");
        ASSERT_NE(preview, nullptr);
        for (QLabel* label : preview->findChildren<QLabel*>())
            previewTexts << label->text();
        for (QPushButton* button : preview->findChildren<QPushButton*>())
            previewTexts << button->text();
        emit dialog->currentChanged(QString::fromStdString(Folder + "/photo.jpg"));
        previewOfPhoto = preview->findChildren<QLabel*>().front()->text();
        dialog->selectFile(QString::fromStdString(Folder + "/board"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(Host().SaveDialog(Params), Folder + "/board.jpg");
    ASSERT_TRUE(answer.Found);
    EXPECT_EQ(filters, QStringList{QString::fromUtf8("JPEG ファイル (*.jpg *.jpeg)")});
    EXPECT_EQ(suffix, "jpg");
    EXPECT_FALSE(confirms) << "the program asks about overwriting, not the dialog";
    EXPECT_FALSE(native);
    EXPECT_EQ(previewTexts, (QStringList{QString::fromUtf8("画像:"), QString::fromUtf8("(なし)"),
                                         QString::fromUtf8("プレビュー")}));
    EXPECT_EQ(previewOfPhoto, QString::fromUtf8("画像: (4x3)"));
}

TEST_F(QtSaveDialogTest, CancelGivesNothing) {
    TModalAnswer answer([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
    EXPECT_EQ(Host().SaveDialog(Params), std::nullopt);
    EXPECT_TRUE(answer.Found);
}

TEST(QtHost, QtsOwnTextsAreJapanese) {
    EXPECT_TRUE(Host().TranslationsLoaded());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              QString::fromUtf8("キャンセル"));
}

TEST(QtHost, TimersTickUntilStoppedEvenFromTheirOwnTick) {
    int ticks = 0;
    int id = 0;
    id = Host().StartTimer(5, [&] {
        if (++ticks == 3)
            Host().StopTimer(id);
    });
    EXPECT_NE(id, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(ticks, 3);
}

TEST(QtHost, PostedTasksRunFromTheLoopAndIdleFollows) {
    std::vector<int> order;
    Host().SetIdleHandler([&] { order.push_back(0); });
    Host().Post([&] { order.push_back(1); });
    EXPECT_TRUE(order.empty());
    // Idle comes when a real loop is about to wait.
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    Host().SetIdleHandler({});
    const auto task = std::find(order.begin(), order.end(), 1);
    ASSERT_NE(task, order.end());
    EXPECT_NE(std::find(task, order.end(), 0), order.end()) << "no idle after the task";
}

TEST(QtHost, PaletteChangeRefillsTheSystemColours) {
    const QPalette original = QApplication::palette();
    int told = 0;
    Host().SetSysColorChangeHandler([&] { ++told; });
    QPalette palette = original;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Highlight, QColor(40, 50, 60));
    QApplication::setPalette(palette);
    EXPECT_GE(told, 1);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(10, 20, 30));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(40, 50, 60));
    QApplication::setPalette(original);
    Host().SetSysColorChangeHandler({});
}

TEST(QtHost, WindowsAreFoundByHandle) {
    auto form = std::make_unique<TRecordingForm>();
    const std::uintptr_t handle = form->Window->Handle();
    EXPECT_EQ(Host().FindWindow(handle), form->Window.get());
    EXPECT_NE(handle, Host().ApplicationHandle());
    form->Window->SetCapture(true);
    EXPECT_EQ(Host().CaptureWindow(), form->Window.get());
    form.reset();
    EXPECT_EQ(Host().FindWindow(handle), nullptr);
    EXPECT_EQ(Host().CaptureWindow(), nullptr);
}

} // namespace
