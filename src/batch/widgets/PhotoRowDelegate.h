#pragma once

#include "core/widgets/PlainToolTipDelegate.h"

namespace fw {

// Draws the list's rows: the thumbnail beside the name, and the remove and
// info buttons of the last two columns.
class PhotoRowDelegate : public PlainToolTipDelegate {
    Q_OBJECT
public:
    static constexpr QSize thumbnailSize{70, 48};

    using PlainToolTipDelegate::PlainToolTipDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintName(QPainter& painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintButton(QPainter& painter, const QStyleOptionViewItem& option, int standardIcon) const;
};

} // namespace fw
