#include "processing/Utils.h"

#include "platform/VipsImageService.h"

#include <QStringList>
#include <array>
#include <cmath>

namespace fw {

Utils::Utils(const ImageService& images) : images(images) {}

Utils& Utils::sharedUtils()
{
    static Utils shared(VipsImageService::shared());
    return shared;
}

QString Utils::unitStringFromBytes(double bytes, unsigned /*flags*/)
{
    static const std::array<const char*, 5> units = {"bytes", "KB", "MB", "GB", "TB"};
    std::size_t unit = 0;
    double value = bytes;
    while (value >= 1000 && unit + 1 < units.size()) {
        value /= 1000;
        ++unit;
    }
    if (value == 0)
        return QStringLiteral("0 %1").arg(units[unit]);

    double shown = std::floor(value * 100) / 100;
    // Just below the next unit the text would need four digits; it reads as a
    // fraction of the next unit instead.
    if (shown > 993 && unit + 1 < units.size()) {
        shown = 0.97;
        ++unit;
    }
    const char* format = unit == 0 ? "%4.0f %s" : "%4.2f %s";
    return QString::asprintf(format, shown, units[unit]).trimmed();
}

} // namespace fw
