#include "core/widgets/PlainToolTip.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace fw {

QString PlainToolTip::richTextOf(const QString& plain)
{
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(plain.toHtmlEscaped());
}

bool PlainToolTip::show(QHelpEvent& event, QAbstractItemView& view, const QModelIndex& index)
{
    const QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(event.globalPos(), richTextOf(tip), view.viewport(), view.visualRect(index));
    return true;
}

} // namespace fw
