#include "core/widgets/EmphasisedText.h"

namespace fw {

QString EmphasisedText::styled(const QString& line, const QStringList& figures,
                               const QColor& emphasis)
{
    QString styled = line.toHtmlEscaped();
    for (const QString& figure : figures) {
        if (figure.trimmed().isEmpty())
            continue;
        styled.replace(figure.toHtmlEscaped(), QStringLiteral("<b style=\"color:%1\">%2</b>")
                                                   .arg(emphasis.name(), figure.toHtmlEscaped()));
    }
    return styled;
}

} // namespace fw
