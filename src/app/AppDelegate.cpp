#include "app/AppDelegate.h"

namespace fw {

AppDelegate::AppDelegate(const ImageService& images, QStringList preferredLanguages,
                         QObject* parent)
    : QObject(parent), images(images), localizedStrings(std::move(preferredLanguages))
{
}

QString AppDelegate::getLocalizedStringForKey(const QString& key)
{
    return localizedStrings.getLocalizedStringForKey(key);
}

} // namespace fw
