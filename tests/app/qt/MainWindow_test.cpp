#include "app/MainWindow1.h"
#include "platform/graphics/JpegImage.h"
#include "platform/host/qt/QtHost.h"
#include "platform/host/qt/QtWindow.h"
#include "platform/ui/Application.h"
#include "support/Pixels.h"
#include "support/qt/ModalAnswer.h"

#include <QFileDialog>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The real main window in a real Qt window (offscreen platform under ctest).
class MainWindowOnQt : public testing::Test {
protected:
    static void SetUpTestSuite() {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Host = new TQtHost(Argc, Argv);
    }
    static void TearDownTestSuite() {
        delete Host;
        Host = nullptr;
    }
    void SetUp() override {
        char pattern[] = "/tmp/picolam-qt-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
        Application->Initialize();
        Application->SetTitle("ピコラム");
        Application->CreateForm(MainForm1);
        MainForm1->Show();
        Widget = static_cast<TQtWindow*>(MainForm1->HostWindow())->Widget();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget));
    }
    void TearDown() override {
        Application->Done();
        MainForm1 = nullptr;
        std::filesystem::remove_all(Folder);
    }
    QRgb Shown(int X, int Y) const { return Widget->grab().toImage().pixel(X, Y); }

    static inline int Argc = 1;
    static inline char Name[16] = "picolam-test";
    static inline char* Argv[2] = {Name, nullptr};
    static inline TQtHost* Host = nullptr;
    std::string Folder;
    QWidget* Widget = nullptr;
};

TEST_F(MainWindowOnQt, IsAFixedAlwaysOnTopToolWindowWithItsTitle) {
    const Qt::WindowFlags flags = Widget->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(Widget->minimumSize(), QSize(480, 320));
    EXPECT_EQ(Widget->maximumSize(), QSize(480, 320));
    EXPECT_EQ(Widget->windowTitle(),
              QString::fromUtf8("ピコラム - (右クリックでポップアップメニュー)"));
    EXPECT_TRUE(Widget->acceptDrops());
    EXPECT_EQ(Shown(130, 100), qRgb(0xE1, 0xFF, 0xE1));
}

TEST_F(MainWindowOnQt, ADroppedJpegFillsTheCellAndTheRealDialogSavesTheBoard) {
    auto red = MakeFilled(8, 8, clRed);
    TJPEGImage jpeg;
    jpeg.Assign(red.get());
    const std::string photo = Folder + "/photo.jpg";
    jpeg.SaveToFile(photo);

    QTest::mouseMove(Widget, QPoint(300, 100));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(photo))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Widget, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Widget, &drop);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return qRed(Shown(300, 100)) > 200 && qGreen(Shown(300, 100)) < 60; }, 3000));

    TModalAnswer answer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(Folder + "/board"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::keyClick(Widget, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return std::filesystem::exists(Folder + "/board.jpg"); }, 5000));
    EXPECT_TRUE(answer.Found);
    TJPEGImage saved;
    saved.LoadFromFile(Folder + "/board.jpg");
    EXPECT_EQ(saved.Width(), 480);
    EXPECT_EQ(saved.Height(), 320);
}

} // namespace
