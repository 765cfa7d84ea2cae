#include "core/ProductInfo.h"

namespace fw {

QString ProductInfo::name()
{
    return QStringLiteral("Framewright");
}

QString ProductInfo::version()
{
    return QStringLiteral(FRAMEWRIGHT_VERSION);
}

QString ProductInfo::homepage()
{
    return QStringLiteral(FRAMEWRIGHT_HOMEPAGE);
}

} // namespace fw
