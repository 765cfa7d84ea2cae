#pragma once

#include <QRect>

class QModelIndex;
class QPainter;
class QStyle;

namespace fw {

// Draws a row's thumbnail fitted and centred in a box: the picture once it
// has arrived, a quiet placeholder until then, and the not-available mark
// for a file that gives none.
struct ThumbnailPainter {
    static void paint(QPainter& painter, const QRect& box, const QModelIndex& index,
                      const QStyle& style);
};

} // namespace fw
