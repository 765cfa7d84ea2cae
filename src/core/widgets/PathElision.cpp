#include "core/widgets/PathElision.h"

#include <QFontMetrics>
#include <QString>

namespace fw {

QString PathElision::elided(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype slash = path.lastIndexOf('/');
    const QString name = path.mid(slash + 1);
    const int nameWidth = metrics.horizontalAdvance(name);
    if (slash < 0 || nameWidth >= width)
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    return metrics.elidedText(path.left(slash + 1), Qt::ElideMiddle, width - nameWidth) + name;
}

} // namespace fw
