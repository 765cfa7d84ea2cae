#include "platform/ImageExtensionTable.h"

#include <QSet>

namespace fw {

namespace {

const QSet<QString>& cameraRawExtensions()
{
    static const QSet<QString> extensions = {
        "3fr", "arw", "cr2", "cr3", "crw", "dcr", "dng", "erf", "iiq", "k25", "kdc", "mef", "mos",
        "mrw", "nef", "nrw", "orf", "pef", "raf", "raw", "rw2", "rwl", "sr2", "srf", "srw", "x3f"};
    return extensions;
}

const QSet<QString>& ordinaryImageExtensions()
{
    static const QSet<QString> extensions = {
        "jpg", "jpeg", "jpe", "jfif", "png", "gif",  "tif",  "tiff", "bmp",  "dib", "jp2",
        "j2k", "j2c",  "jpc", "jpf",  "jpx", "webp", "heic", "heif", "avif", "jxl", "pbm", "pgm",
        "ppm", "pnm",  "pfm", "pict", "pct", "pic",  "eps",  "epsf", "epsi", "p7",  "ptif",
        "ui",  "pc",   "ico", "tga",  "exr", "hdr",  "psd",  "sgi",  "ras",  "xbm", "xpm"};
    return extensions;
}

} // namespace

bool ImageExtensionTable::isImageExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    return ordinaryImageExtensions().contains(lower) || cameraRawExtensions().contains(lower);
}

QStringList ImageExtensionTable::imageExtensions()
{
    QStringList extensions;
    for (const QSet<QString>* table : {&ordinaryImageExtensions(), &cameraRawExtensions()}) {
        for (const QString& extension : *table)
            extensions << extension << extension.toUpper();
    }
    extensions.sort();
    return extensions;
}

bool ImageExtensionTable::isCameraRawExtension(const QString& extension)
{
    return cameraRawExtensions().contains(extension.toLower());
}

bool ImageExtensionTable::isPictExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    return lower == "pict" || lower == "pct" || lower == "pic";
}

} // namespace fw
