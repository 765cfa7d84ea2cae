#pragma once

#include "core/widgets/PlainToolTipDelegate.h"

#include <QSize>

namespace fw {

// Draws a grid cell: the thumbnail, the name, "Dimensions: W X H" and
// "File size: ...", with the mark's check box and the info button in the top
// corners; clicks on those two are handed on by row.
class PhotoGridDelegate : public PlainToolTipDelegate {
    Q_OBJECT
public:
    explicit PhotoGridDelegate(QObject* parent = nullptr);

    void setCellSize(QSize size) { cellSize = size; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    static QRect checkBoxRect(const QRect& cell);
    static QRect infoRect(const QRect& cell);

Q_SIGNALS:
    void markClicked(int row);
    void infoClicked(int row, const QRect& cell);

private:
    void paintCaptions(QPainter& painter, const QStyleOptionViewItem& option, const QRect& area,
                       const QModelIndex& index) const;

    QSize cellSize{180, 220};
};

} // namespace fw
