#include "batch/widgets/PhotoInfoPopup.h"

#include "core/LocalizedStrings.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <algorithm>
#include <QScreen>

namespace fw {

namespace {
constexpr int valueWidth = 320;
}

PhotoInfoPopup::PhotoInfoPopup(LocalizedStrings& strings, QWidget* parent)
    : QFrame(parent, Qt::Popup), strings(strings), form(new QFormLayout(this))
{
    setFrameShape(QFrame::StyledPanel);
    setAttribute(Qt::WA_DeleteOnClose);
    form->setContentsMargins(14, 12, 14, 12);
    form->setLabelAlignment(Qt::AlignRight);
}

void PhotoInfoPopup::showBeside(const QRect& globalAnchor, const QList<PhotoInformation::Row>& rows)
{
    for (const PhotoInformation::Row& row : rows) {
        auto* caption = new QLabel(strings.getLocalizedStringForKey(row.captionKey), this);
        auto* value = new QLabel(row.value, this);
        for (QLabel* label : {caption, value})
            label->setTextFormat(Qt::PlainText);
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        // Only what is wider than the column wraps; a wrapped label would
        // otherwise take the narrowest width and break a short value too.
        value->setWordWrap(true);
        value->setMaximumWidth(valueWidth);
        value->setMinimumWidth(
            std::min(valueWidth, value->fontMetrics().horizontalAdvance(row.value) + 2));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setAccessibleName(caption->text() + ' ' + row.value);
        form->addRow(caption, value);
    }
    adjustSize();
    QPoint place = globalAnchor.topRight() + QPoint(4, 0);
    if (const QScreen* screen = QGuiApplication::screenAt(globalAnchor.center())) {
        const QRect area = screen->availableGeometry();
        if (place.x() + width() > area.right())
            place.setX(globalAnchor.left() - width() - 4);
        place.setY(
            std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(place);
    show();
}

} // namespace fw
