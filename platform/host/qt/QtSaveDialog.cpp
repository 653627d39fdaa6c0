#include "platform/host/qt/QtSaveDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int PreviewSide = 150;

// The pane beside the file list: "画像:" with the picture's size, the picture scaled to fit,
// "(なし)" when the selection is no picture, and "プレビュー", which shows it at full size.
class TPicturePreview : public QWidget {
public:
    explicit TPicturePreview(QWidget* Parent) : QWidget(Parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(6, 0, 0, 0);
        FCaption = new QLabel(this);
        FImage = new QLabel(this);
        FImage->setObjectName("PicturePreviewImage");
        FImage->setFixedSize(PreviewSide, PreviewSide);
        FImage->setAlignment(Qt::AlignCenter);
        FImage->setFrameShape(QFrame::StyledPanel);
        FButton = new QPushButton(QString::fromUtf8("プレビュー"), this);
        FButton->setAutoDefault(false);
        layout->addWidget(FCaption);
        layout->addWidget(FImage);
        layout->addWidget(FButton, 0, Qt::AlignRight);
        layout->addStretch();
        connect(FButton, &QPushButton::clicked, this, [this] { ShowFullSize(); });
        Select(QString());
    }

    void Select(const QString& Path) {
        FPicture = QImage();
        if (!Path.isEmpty()) {
            QImageReader reader(Path);
            reader.setAutoTransform(true); // photos stand as they were taken
            FPicture = reader.read();
        }
        const QString label = QString::fromUtf8("画像:");
        if (FPicture.isNull()) {
            FCaption->setText(label);
            FImage->setPixmap(QPixmap());
            FImage->setText(QString::fromUtf8("(なし)"));
        } else {
            FCaption->setText(
                QString("%1 (%2x%3)").arg(label).arg(FPicture.width()).arg(FPicture.height()));
            const QImage shown =
                FPicture.width() > PreviewSide || FPicture.height() > PreviewSide
                    ? FPicture.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation)
                    : FPicture;
            FImage->setPixmap(QPixmap::fromImage(shown));
        }
        FButton->setEnabled(!FPicture.isNull());
    }

private:
    void ShowFullSize() {
        QDialog view(this);
        view.setWindowTitle(QString::fromUtf8("プレビュー"));
        auto* layout = new QVBoxLayout(&view);
        auto* area = new QScrollArea(&view);
        auto* picture = new QLabel(area);
        picture->setPixmap(QPixmap::fromImage(FPicture));
        area->setWidget(picture);
        layout->addWidget(area);
        view.resize(std::min(FPicture.width() + 40, 800), std::min(FPicture.height() + 40, 600));
        view.exec();
    }

    QLabel* FCaption;
    QLabel* FImage;
    QPushButton* FButton;
    QImage FPicture;
};

QString Patterns(const AnsiString& Patterns) {
    return QString::fromStdString(Patterns).split(';', Qt::SkipEmptyParts).join(' ');
}
} // namespace

QString QtFilterOf(const THostFilter& Filter) {
    QString description = QString::fromStdString(Filter.Description);
    const QString written = "(" + QString::fromStdString(Filter.Patterns) + ")";
    const QString patterns = "(" + Patterns(Filter.Patterns) + ")";
    if (description.endsWith(written))
        return description.left(description.size() - written.size()) + patterns;
    return description.isEmpty() ? patterns : description + " " + patterns;
}

void SetUpSaveDialog(QFileDialog& Dialog, const THostSaveDialogParams& Params) {
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    Dialog.setFileMode(QFileDialog::AnyFile);
    Dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (Params.PicturePreview || QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs))
        Dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!Params.Title.empty())
        Dialog.setWindowTitle(QString::fromStdString(Params.Title));
    QStringList filters;
    for (const THostFilter& filter : Params.Filters)
        filters << QtFilterOf(filter);
    if (!filters.isEmpty()) {
        Dialog.setNameFilters(filters);
        Dialog.selectNameFilter(
            filters[std::clamp(Params.FilterIndex, 0, static_cast<int>(filters.size()) - 1)]);
    }
    Dialog.setDefaultSuffix(QString::fromStdString(Params.DefaultExt));
    if (!Params.InitialDir.empty())
        Dialog.setDirectory(QFile::decodeName(Params.InitialDir.c_str()));
    if (!Params.FileName.empty())
        Dialog.selectFile(QFile::decodeName(Params.FileName.c_str()));
    if (Params.PicturePreview) {
        auto* grid = qobject_cast<QGridLayout*>(Dialog.layout());
        if (grid != nullptr) {
            auto* preview = new TPicturePreview(&Dialog);
            preview->setObjectName("PicturePreview");
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
            QObject::connect(&Dialog, &QFileDialog::currentChanged, preview,
                             [preview](const QString& Path) { preview->Select(Path); });
        }
    }
}

std::optional<AnsiString> RunSaveDialog(const THostSaveDialogParams& Params, QWidget* Parent) {
    QFileDialog dialog(Parent);
    SetUpSaveDialog(dialog, Params);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}
