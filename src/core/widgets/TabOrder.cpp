#include "core/widgets/TabOrder.h"

#include <QGridLayout>
#include <QLayout>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>

namespace fw {

namespace {

void collectFromWidget(QWidget* widget, QList<QWidget*>& stops);

// A grid's items row by row, left to right; other layouts in their own order.
QList<QLayoutItem*> itemsInReadingOrder(QLayout* layout)
{
    QList<QLayoutItem*> items;
    for (int index = 0; index < layout->count(); ++index)
        items.append(layout->itemAt(index));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const auto cellOf = [grid](QLayoutItem* item) {
            int row = 0;
            int column = 0;
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
            return std::pair(row, column);
        };
        std::stable_sort(items.begin(), items.end(),
                         [&cellOf](QLayoutItem* a, QLayoutItem* b) { return cellOf(a) < cellOf(b); });
    }
    return items;
}

void collectFromLayout(QLayout* layout, QList<QWidget*>& stops)
{
    for (QLayoutItem* item : itemsInReadingOrder(layout)) {
        if (QWidget* widget = item->widget())
            collectFromWidget(widget, stops);
        else if (QLayout* inner = item->layout())
            collectFromLayout(inner, stops);
    }
}

// A control Tab stops at is one stop, its inner parts (an item view's
// viewport and headers) are not; a container is walked through.
void collectFromWidget(QWidget* widget, QList<QWidget*>& stops)
{
    if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
        stops.append(widget);
        return;
    }
    if (auto* scroller = qobject_cast<QScrollArea*>(widget); scroller && scroller->widget())
        collectFromWidget(scroller->widget(), stops);
    else if (QLayout* layout = widget->layout())
        collectFromLayout(layout, stops);
}

} // namespace

void TabOrder::followLayout(QWidget* root)
{
    QList<QWidget*> stops;
    if (QLayout* layout = root->layout())
        collectFromLayout(layout, stops);
    for (qsizetype index = 1; index < stops.size(); ++index)
        QWidget::setTabOrder(stops.at(index - 1), stops.at(index));
}

} // namespace fw
