#include "settings/widgets/PopupList.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace fw {

void PopupList::openBeside(QWidget* button, const QStringList& texts,
                           const std::function<void(int)>& chosen)
{
    auto* menu = new QMenu(button);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(button->accessibleName());
    for (qsizetype row = 0; row < texts.size(); ++row) {
        QAction* action = menu->addAction(texts.at(row));
        QObject::connect(action, &QAction::triggered, menu,
                         [chosen, row] { chosen(static_cast<int>(row)); });
    }
    menu->popup(button->mapToGlobal(QPoint(button->width(), 0)));
}

} // namespace fw
