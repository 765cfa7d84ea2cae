#include "core/widgets/EmphasisedText.h"

namespace fw {

QString EmphasisedText::styled(const QString& line, const QStringList& figures,
                               const QColor& emphasis)
{
    // One pass over the plain line, each figure found after the one before,
    // so a figure such as "0" never matches inside markup already written.
    QString styled;
    qsizetype from = 0;
    for (const QString& figure : figures) {
        const qsizetype at = figure.trimmed().isEmpty() ? -1 : line.indexOf(figure, from);
        if (at < 0)
            continue;
        styled += line.mid(from, at - from).toHtmlEscaped();
        styled += QStringLiteral("<b style=\"color:%1\">%2</b>")
                      .arg(emphasis.name(), figure.toHtmlEscaped());
        from = at + figure.size();
    }
    return styled + line.mid(from).toHtmlEscaped();
}

} // namespace fw
