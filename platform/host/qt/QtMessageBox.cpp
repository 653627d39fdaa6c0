#include "platform/host/qt/QtMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon IconOf(THostBoxIcon Icon) {
    switch (Icon) {
    case THostBoxIcon::Error:
        return QMessageBox::Critical;
    case THostBoxIcon::Warning:
        return QMessageBox::Warning;
    case THostBoxIcon::Information:
        return QMessageBox::Information;
    case THostBoxIcon::Question:
        return QMessageBox::Question;
    case THostBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

int RunMessageBox(const THostMessageBoxParams& Params, QWidget* Parent) {
    QMessageBox box(Parent);
    box.setWindowTitle(QString::fromStdString(Params.Caption));
    box.setText(QString::fromStdString(Params.Text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(IconOf(Params.Icon));
    std::vector<QPushButton*> buttons;
    for (const THostBoxButton& button : Params.Buttons) {
        // One role for all keeps the buttons in the order given on every desktop.
        buttons.push_back(
            box.addButton(QString::fromStdString(button.Caption), QMessageBox::ActionRole));
        if (button.Result == Params.EscapeResult)
            box.setEscapeButton(buttons.back());
    }
    if (Params.DefaultButton >= 0 && Params.DefaultButton < static_cast<int>(buttons.size()))
        box.setDefaultButton(buttons[static_cast<std::size_t>(Params.DefaultButton)]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return Params.Buttons[i].Result;
    return Params.EscapeResult;
}
