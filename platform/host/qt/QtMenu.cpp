#include "platform/host/qt/QtMenu.h"

#include <QActionGroup>
#include <QMenu>

void BuildMenu(QMenu& Menu, const std::vector<THostMenuItem>& Items) {
    QActionGroup* radios = nullptr;
    for (const THostMenuItem& item : Items) {
        if (!item.Visible)
            continue;
        if (item.Caption == "-") {
            Menu.addSeparator();
            radios = nullptr;
            continue;
        }
        const QString caption = QString::fromStdString(item.Caption);
        if (!item.Items.empty()) {
            QMenu* sub = Menu.addMenu(caption);
            sub->setEnabled(item.Enabled);
            BuildMenu(*sub, item.Items);
            continue;
        }
        QString text = caption;
        if (!item.ShortCutText.empty())
            text += '\t' + QString::fromStdString(item.ShortCutText);
        QAction* action = Menu.addAction(text);
        action->setData(item.Id);
        action->setEnabled(item.Enabled);
        if (item.RadioItem) {
            if (radios == nullptr) {
                radios = new QActionGroup(&Menu);
                radios->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            }
            radios->addAction(action);
        }
        if (item.Checked || item.RadioItem) {
            action->setCheckable(true);
            action->setChecked(item.Checked);
        }
    }
}
