#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QString>
#include <QWidget>

namespace fw::test {

// The visible button with the accessible name, as a user would find it: on
// an open modal dialog first, then anywhere in the window.
inline QAbstractButton* visibleButton(QWidget& window, const QString& name)
{
    QList<QWidget*> roots{&window};
    if (QWidget* modal = QApplication::activeModalWidget())
        roots.prepend(modal);
    for (QWidget* root : roots) {
        for (QAbstractButton* candidate : root->findChildren<QAbstractButton*>()) {
            if (candidate->accessibleName() == name && candidate->isVisible())
                return candidate;
        }
    }
    return nullptr;
}

} // namespace fw::test
