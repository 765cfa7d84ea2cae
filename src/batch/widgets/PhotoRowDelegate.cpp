#include "batch/widgets/PhotoRowDelegate.h"

#include "batch/BatchModel.h"
#include "batch/widgets/ThumbnailPainter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>

namespace fw {

namespace {
constexpr int padding = 4;
}

void PhotoRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    switch (index.column()) {
    case BatchModel::Name:
        paintName(*painter, option, index);
        break;
    case BatchModel::Delete:
        paintButton(*painter, option, QStyle::SP_DialogDiscardButton);
        break;
    case BatchModel::Info:
        paintButton(*painter, option, QStyle::SP_MessageBoxInformation);
        break;
    default:
        QStyledItemDelegate::paint(painter, option, index);
        break;
    }
}

// The name is drawn by the style as plain text; the thumbnail sits at the
// left of the cell.
void PhotoRowDelegate::paintName(QPainter& painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem text = option;
    initStyleOption(&text, index);
    text.icon = QIcon();
    text.features &= ~QStyleOptionViewItem::HasDecoration;
    text.rect.setLeft(option.rect.left() + thumbnailSize.width() + 2 * padding);
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, &painter, option.widget);
    style->drawControl(QStyle::CE_ItemViewItem, &text, &painter, option.widget);
    const QRect box(option.rect.left() + padding,
                    option.rect.top() + (option.rect.height() - thumbnailSize.height()) / 2,
                    thumbnailSize.width(), thumbnailSize.height());
    painter.save();
    ThumbnailPainter::paint(painter, box, index, *style);
    painter.restore();
}

void PhotoRowDelegate::paintButton(QPainter& painter, const QStyleOptionViewItem& option,
                                   int standardIcon) const
{
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter, option.widget);
    QRect icon(0, 0, 16, 16);
    icon.moveCenter(option.rect.center());
    style->standardIcon(static_cast<QStyle::StandardPixmap>(standardIcon))
        .paint(&painter, icon, Qt::AlignCenter,
               option.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
}

QSize PhotoRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize hint = QStyledItemDelegate::sizeHint(option, index);
    hint.setHeight(std::max(hint.height(), thumbnailSize.height() + 2 * padding));
    return hint;
}

} // namespace fw
