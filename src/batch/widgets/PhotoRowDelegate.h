#pragma once

#include <QStyledItemDelegate>

namespace fw {

// Draws the list's rows: the thumbnail beside the name, and the remove and
// info buttons of the last two columns.
class PhotoRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr QSize thumbnailSize{70, 48};

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    void paintName(QPainter& painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintButton(QPainter& painter, const QStyleOptionViewItem& option, int standardIcon) const;
};

} // namespace fw
