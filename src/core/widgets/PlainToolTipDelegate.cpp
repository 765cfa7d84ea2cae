#include "core/widgets/PlainToolTipDelegate.h"

#include "core/widgets/PlainToolTip.h"

#include <QHelpEvent>

namespace fw {

bool PlainToolTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || view == nullptr)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    return PlainToolTip::show(*event, *view, index);
}

} // namespace fw
