#include "core/widgets/PlainToolTipDelegate.h"

#include "core/widgets/PathElision.h"
#include "core/widgets/PlainToolTip.h"

#include <QHelpEvent>

namespace fw {

void PlainToolTipDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!pathColumns.contains(index.column()))
        return;
    // The style's own margins either side of the text.
    constexpr int textMargins = 8;
    option->text =
        PathElision::elided(option->text, option->fontMetrics, option->rect.width() - textMargins);
}

bool PlainToolTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || view == nullptr)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    return PlainToolTip::show(*event, *view, index);
}

} // namespace fw
