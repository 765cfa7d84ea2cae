#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

namespace fw {

// A line of plain text as styled text with some of its figures, in the order
// they appear, set off in bold and the emphasis colour; everything else
// escaped, so names in the line never read as markup.
struct EmphasisedText {
    static QString styled(const QString& line, const QStringList& figures, const QColor& emphasis);
};

} // namespace fw
