#pragma once

#include <QSet>
#include <QStyledItemDelegate>

namespace fw {

// An item delegate whose tool tips are names and paths shown as typed,
// never as markup, and whose path columns leave out folders rather than
// the file's name when they are too narrow.
class PlainToolTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setPathColumns(QSet<int> columns) { pathColumns = std::move(columns); }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QSet<int> pathColumns;
};

} // namespace fw
