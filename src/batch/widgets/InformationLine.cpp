#include "batch/widgets/InformationLine.h"

#include "batch/BatchInformation.h"

namespace fw {

QString InformationLine::styled(const BatchInformation& information, const QColor& emphasis)
{
    QString styled = information.line.toHtmlEscaped();
    for (const QString& figure : {information.countText, information.sizeText}) {
        if (figure.isEmpty())
            continue;
        styled.replace(figure.toHtmlEscaped(), QStringLiteral("<b style=\"color:%1\">%2</b>")
                                                   .arg(emphasis.name(), figure.toHtmlEscaped()));
    }
    return styled;
}

} // namespace fw
