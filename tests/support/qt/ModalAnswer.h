#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

// Answers the next modal window (or popup) from a short repeating timer, and gives up after
// a while so that a window nobody finds never holds the test.
class TModalAnswer {
public:
    template <class F> explicit TModalAnswer(F Answer, bool Popup = false) {
        QObject::connect(&FPoll, &QTimer::timeout, [this, Answer, Popup] {
            QWidget* widget =
                Popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
            if (widget == nullptr || !widget->isVisible())
                return;
            FPoll.stop();
            Found = true;
            Answer(widget);
        });
        FPoll.start(20);
        FGiveUp.setSingleShot(true);
        QObject::connect(&FGiveUp, &QTimer::timeout, [this] {
            FPoll.stop();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        FGiveUp.start(10000);
    }
    bool Found = false;

private:
    QTimer FPoll;
    QTimer FGiveUp;
};
