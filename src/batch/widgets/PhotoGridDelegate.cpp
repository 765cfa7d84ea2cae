#include "batch/widgets/PhotoGridDelegate.h"

#include "batch/BatchModel.h"
#include "batch/widgets/ThumbnailPainter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>

namespace fw {

namespace {

constexpr int margin = 8;
constexpr int cornerControl = 20;
constexpr int captionLines = 3;

const QStyle& styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? *option.widget->style() : *QApplication::style();
}

} // namespace

PhotoGridDelegate::PhotoGridDelegate(QObject* parent) : PlainToolTipDelegate(parent) {}

QSize PhotoGridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return cellSize;
}

QRect PhotoGridDelegate::checkBoxRect(const QRect& cell)
{
    return {cell.left() + margin, cell.top() + margin, cornerControl, cornerControl};
}

QRect PhotoGridDelegate::infoRect(const QRect& cell)
{
    return {cell.right() - margin - cornerControl, cell.top() + margin, cornerControl,
            cornerControl};
}

void PhotoGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const QStyle& style = styleOf(option);
    painter->save();
    QStyleOptionViewItem panel = option;
    panel.rect = option.rect.adjusted(2, 2, -2, -2);
    style.drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, option.widget);

    const int lineHeight = option.fontMetrics.height();
    const int captionHeight = captionLines * lineHeight + margin;
    const QRect thumbnail(option.rect.left() + margin,
                          option.rect.top() + 2 * margin + cornerControl,
                          option.rect.width() - 2 * margin,
                          option.rect.height() - 3 * margin - cornerControl - captionHeight);
    ThumbnailPainter::paint(*painter, thumbnail, index, style);
    paintCaptions(
        *painter, option,
        QRect(thumbnail.left(), thumbnail.bottom() + margin, thumbnail.width(), captionHeight),
        index);

    QStyleOptionButton check;
    check.rect = checkBoxRect(option.rect);
    check.state =
        QStyle::State_Enabled |
        (index.data(BatchModel::MarkRole).toBool() ? QStyle::State_On : QStyle::State_Off);
    style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, painter, option.widget);
    style.standardIcon(QStyle::SP_MessageBoxInformation).paint(painter, infoRect(option.rect));
    painter->restore();
}

// The name and figures are drawn as plain text: a file name is never markup.
void PhotoGridDelegate::paintCaptions(QPainter& painter, const QStyleOptionViewItem& option,
                                      const QRect& area, const QModelIndex& index) const
{
    const QFontMetrics& metrics = option.fontMetrics;
    const QStringList figures = index.data(BatchModel::CaptionsRole).toStringList();
    // A figure whose caption leaves it no room is shown alone, never cut.
    const auto figure = [&](int first) {
        const QString captioned = figures.value(first) + ' ' + figures.value(first + 1);
        return metrics.horizontalAdvance(captioned) <= area.width() ? captioned
                                                                     : figures.value(first + 1);
    };
    const QString lines[captionLines] = {
        index.data(BatchModel::NameRole).toString(),
        figure(0),
        figure(2),
    };
    painter.setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    for (int line = 0; line < captionLines; ++line) {
        const QRect row(area.left(), area.top() + line * metrics.height(), area.width(),
                        metrics.height());
        painter.drawText(row, Qt::AlignHCenter | Qt::AlignVCenter,
                         metrics.elidedText(lines[line], Qt::ElideMiddle, area.width()));
        if (line == 0)
            painter.setPen(option.palette.color(QPalette::PlaceholderText));
    }
}

bool PhotoGridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return PlainToolTipDelegate::editorEvent(event, model, option, index);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const QPoint at = mouse->position().toPoint();
    if (checkBoxRect(option.rect).contains(at)) {
        Q_EMIT markClicked(index.row());
        return true;
    }
    if (infoRect(option.rect).contains(at)) {
        Q_EMIT infoClicked(index.row(), infoRect(option.rect));
        return true;
    }
    return false;
}

} // namespace fw
