#include "platform/JfifSegment.h"

#include <QVariantList>

namespace fw {

std::optional<QVariantMap> JfifSegment::parse(const QByteArray& start)
{
    // Start of image, then an APP0 segment whose identifier is "JFIF\0".
    if (start.size() < 18 || !start.startsWith(QByteArray("\xff\xd8\xff\xe0", 4)) ||
        start.mid(6, 5) != QByteArray("JFIF\0", 5))
        return std::nullopt;
    auto byteAt = [&start](int offset) { return static_cast<quint8>(start.at(offset)); };
    QVariantMap jfif;
    jfif.insert("JFIFVersion", QVariantList{byteAt(11), byteAt(12)});
    jfif.insert("DensityUnit", byteAt(13));
    jfif.insert("XDensity", (byteAt(14) << 8) | byteAt(15));
    jfif.insert("YDensity", (byteAt(16) << 8) | byteAt(17));
    return jfif;
}

} // namespace fw
