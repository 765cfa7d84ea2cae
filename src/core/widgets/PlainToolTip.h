#pragma once

#include <QString>

class QHelpEvent;
class QAbstractItemView;
class QModelIndex;

namespace fw {

// Tool tips of names and paths. Qt renders a tool tip as rich text when it
// looks like markup, so a file named "<img src=x>.jpg" would render as an
// image; these tips are escaped inside a paragraph and always read as typed.
struct PlainToolTip {
    static QString richTextOf(const QString& plain);
    // Shows the index's tool tip for a help event of a view's delegate.
    static bool show(QHelpEvent& event, QAbstractItemView& view, const QModelIndex& index);
};

} // namespace fw
