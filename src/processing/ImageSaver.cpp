#include "processing/ImageSaver.h"

#include "batch/PhotoFile.h"
#include "platform/ImageService.h"
#include "processing/AtomicFileWriter.h"
#include "processing/KnownFormats.h"
#include "processing/RotateWithEXIF.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSaver, "framewright.save")

constexpr int automaticCorrection = 4;
constexpr double qualityWhenKeepingFormats = 0.75;

int formatIndexOf(const QString& outputPath)
{
    return std::max(0, KnownFormats::indexOfExtension(QFileInfo(outputPath).suffix()));
}

} // namespace

ImageSaver::ImageSaver(const ImageService& images, const OutputOptionSettings& output,
                       int rotationType)
    : images(images), output(output), rotationType(rotationType)
{
}

bool ImageSaver::isFomatchangesOldPath(const QString& oldPath, const QString& newPath)
{
    return QFileInfo(oldPath).suffix().toLower() != QFileInfo(newPath).suffix().toLower();
}

Outcome ImageSaver::saveImageUsingDefaultMethodInDirectoryFilteredImg(const Image& filteredImage,
                                                                      const QString& outputPath,
                                                                      const PhotoFile& photo,
                                                                      bool isChangeMade) const
{
    if (outputPath.isEmpty())
        return Outcome::failure(QStringLiteral("no output path for %1").arg(photo.filePath));
    if (!needsEncoding(photo, outputPath, isChangeMade))
        return copySource(photo, outputPath);
    return encode(filteredImage, outputPath, photo);
}

// Re-encoding costs quality and time, so it happens only when the output
// differs from the source: converted to a lossy format (the quality applies),
// from a format the run does not write, changed in geometry, or in another
// format than the source.
bool ImageSaver::needsEncoding(const PhotoFile& photo, const QString& outputPath,
                               bool isChangeMade) const
{
    const bool lossyConversion =
        output.formatOption != 0 && KnownFormats::isLossy(output.selectedFileFormat);
    return lossyConversion || KnownFormats::forcesReencoding(photo.fileExtension) || isChangeMade ||
           isFomatchangesOldPath(photo.filePath, outputPath);
}

std::optional<double> ImageSaver::qualityFactor(int formatIndex) const
{
    if (!KnownFormats::isLossy(formatIndex))
        return std::nullopt;
    if (output.formatOption == 0)
        return qualityWhenKeepingFormats;
    return static_cast<double>(static_cast<float>(output.compressionRatio) / 100.0f);
}

// With automatic correction the pixels are stored upright, so the tag must say
// so at the top level and in the TIFF directory; otherwise the source's tag is
// kept and the pixels are turned back to match it.
QVariantMap ImageSaver::encoderProperties(const QVariantMap& source) const
{
    if (rotationType != automaticCorrection)
        return source;
    QVariantMap properties = source;
    properties.insert("Orientation", 1);
    if (properties.contains("{TIFF}")) {
        QVariantMap tiff = properties.value("{TIFF}").toMap();
        tiff.insert("Orientation", 1);
        properties.insert("{TIFF}", tiff);
    }
    return properties;
}

Outcome ImageSaver::copySource(const PhotoFile& photo, const QString& outputPath) const
{
    AtomicFileWriter writer(outputPath);
    if (writer.temporaryPath().isEmpty())
        return Outcome::failure(writer.reservationError());
    if (const Outcome copied = writer.copyContentsOf(photo.filePath); !copied)
        return copied;
    return writer.commit();
}

Outcome ImageSaver::encode(const Image& filteredImage, const QString& outputPath,
                           const PhotoFile& photo) const
{
    if (!filteredImage.isValid())
        return Outcome::failure(QStringLiteral("%1 could not be decoded").arg(photo.filePath));
    const QVariantMap source = images.readProperties(photo.fileURL).value_or(QVariantMap{});
    const int storedOrientation = source.value("Orientation").toInt();
    Image bitmap = filteredImage;
    if (storedOrientation != 0 && rotationType != automaticCorrection) {
        qCDebug(logSaver) << "setup rotating image beacuse autocorrection is off";
        bitmap = RotateWithEXIF(bitmap, storedOrientation);
    }
    const int formatIndex = formatIndexOf(outputPath);
    AtomicFileWriter writer(outputPath);
    if (writer.temporaryPath().isEmpty())
        return Outcome::failure(writer.reservationError());
    const Outcome encoded =
        images.encode(bitmap, writer.temporaryPath(), KnownFormats::typeIdentifierAt(formatIndex),
                      encoderProperties(source), qualityFactor(formatIndex));
    if (!encoded)
        return encoded;
    return writer.commit();
}

} // namespace fw
