#pragma once

#include <QStyledItemDelegate>

namespace fw {

// An item delegate whose tool tips are names and paths shown as typed,
// never as markup.
class PlainToolTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace fw
