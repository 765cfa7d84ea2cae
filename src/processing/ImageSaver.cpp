#include "processing/ImageSaver.h"

#include "batch/PhotoFile.h"
#include "core/Codes.h"
#include "core/Utils.h"
#include "platform/AtomicFileWriter.h"
#include "platform/ImageService.h"
#include "processing/FreeSpaceRule.h"
#include "processing/KnownFormats.h"
#include "processing/RotateWithEXIF.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSaver, "framewright.save", QtCriticalMsg)

int formatIndexOf(const QString& outputPath)
{
    return std::max(0, KnownFormats::indexOfExtension(QFileInfo(outputPath).suffix()));
}

QVariantMap withOrientationOne(QVariantMap properties)
{
    properties.insert("Orientation", 1);
    if (properties.contains("{TIFF}")) {
        QVariantMap tiff = properties.value("{TIFF}").toMap();
        tiff.insert("Orientation", 1);
        properties.insert("{TIFF}", tiff);
    }
    return properties;
}

} // namespace

ImageSaver::ImageSaver(const ImageService& images, const OutputOptionSettings& output,
                       int rotationType, const FreeSpaceRule* spaceRule)
    : images(images), output(output), rotationType(rotationType), spaceRule(spaceRule)
{
}

bool ImageSaver::isFomatchangesOldPath(const QString& oldPath, const QString& newPath)
{
    return QFileInfo(oldPath).suffix().toLower() != QFileInfo(newPath).suffix().toLower();
}

ImageSaver::Saved ImageSaver::saveImageUsingDefaultMethodInDirectoryFilteredImg(
    const Image& filteredImage, const QString& outputPath, const PhotoFile& photo,
    const QVariantMap& sourceProperties, bool isChangeMade, ExistingFile existingFile) const
{
    if (outputPath.isEmpty())
        return {Outcome::failure(QStringLiteral("no output path for %1").arg(photo.filePath)), {}};
    const QString folder = QFileInfo(outputPath).path();
    AtomicFileWriter writer(folder);
    if (!writer.isReady())
        return {Outcome::failure(writer.error()), {}, false, !hasRoomLeft(folder)};
    const Outcome written = needsEncoding(photo, outputPath, isChangeMade)
                                ? encode(filteredImage, writer.writePath(),
                                         formatIndexOf(outputPath), photo, sourceProperties)
                                : writer.copyContentsOf(photo.filePath);
    // The unnamed file already holds its blocks, so the free space now is
    // what the volume keeps once the output is in.
    const bool roomLeft = hasRoomLeft(folder);
    if (!written)
        return {
            Outcome::failure(QString(written.message()).replace(writer.writePath(), outputPath)),
            {},
            false,
            !roomLeft};
    if (!roomLeft)
        return {Outcome::failure(QStringLiteral("not enough space in %1").arg(folder)),
                {},
                false,
                true};
    return commit(writer, outputPath, existingFile);
}

bool ImageSaver::hasRoomLeft(const QString& folder) const
{
    return !spaceRule || spaceRule->hasRoomFor(folder);
}

// Re-encoding costs quality and time, so it happens only when the output
// differs from the source.
bool ImageSaver::needsEncoding(const PhotoFile& photo, const QString& outputPath,
                               bool isChangeMade) const
{
    const bool lossyConversion = output.formatOption != FormatOption::KeepFormat &&
                                 KnownFormats::isLossy(output.selectedFileFormat);
    return lossyConversion || KnownFormats::forcesReencoding(photo.fileExtension) || isChangeMade ||
           output.metadataOption != MetadataOption::KeepAll ||
           isFomatchangesOldPath(photo.filePath, outputPath);
}

// A photo kept in its own format is written at the default quality; one
// converted, at the quality the user chose.
std::optional<int> ImageSaver::qualityPercent(int formatIndex) const
{
    if (!KnownFormats::isLossy(formatIndex))
        return std::nullopt;
    if (output.formatOption == FormatOption::KeepFormat)
        return ImageService::defaultQualityPercent;
    return output.compressionRatio;
}

// Pixels stored upright must say so at the top level and in the TIFF
// directory; otherwise the source's tag is kept and the pixels were turned
// back to match it. Lossless applies to a format the user converts to.
QVariantMap ImageSaver::encoderProperties(const QVariantMap& source, bool storedUpright) const
{
    QVariantMap properties = storedUpright ? withOrientationOne(source) : source;
    properties.insert(ImageService::losslessKey,
                      output.formatOption == FormatOption::Convert && output.isLossless);
    properties.insert(ImageService::metadataKey, output.metadataOption);
    return properties;
}

// With automatic correction off the source's orientation tag is kept and the
// pixels are turned back to match it, but only where the format stores the
// tag: a JPEG 2000, BMP or GIF output would otherwise show sideways.
Outcome ImageSaver::encode(const Image& filteredImage, const QString& path, int formatIndex,
                           const PhotoFile& photo, const QVariantMap& source) const
{
    if (!filteredImage.isValid())
        return Outcome::failure(QStringLiteral("%1 could not be decoded").arg(photo.filePath));
    const int storedOrientation = source.value("Orientation").toInt();
    const bool keepsTag =
        rotationType != RotationType::UprightByTag && KnownFormats::carriesOrientation(formatIndex);
    Image bitmap = filteredImage;
    if (storedOrientation != 0 && keepsTag) {
        qCDebug(logSaver) << "setup rotating image beacuse autocorrection is off";
        bitmap = RotateWithEXIF(bitmap, storedOrientation);
    }
    return images.encode(bitmap, path, KnownFormats::typeIdentifierAt(formatIndex),
                         encoderProperties(source, !keepsTag), qualityPercent(formatIndex));
}

ImageSaver::Saved ImageSaver::commit(AtomicFileWriter& writer, const QString& outputPath,
                                     ExistingFile existingFile) const
{
    using Mode = AtomicFileWriter::CommitMode;
    using Result = AtomicFileWriter::CommitResult;
    const Mode mode = existingFile == ExistingFile::Replace ? Mode::Replace : Mode::NoReplace;
    QString path = outputPath;
    for (;;) {
        switch (writer.commit(path, mode)) {
        case Result::Committed:
            return {Outcome::success(), path};
        case Result::Failed:
            return {Outcome::failure(writer.error()), {}};
        case Result::NameTaken:
            if (existingFile == ExistingFile::Keep)
                return {
                    Outcome::failure(QStringLiteral("%1 appeared meanwhile").arg(path)), {}, true};
            path = Utils::stringToAvoidNameCollisionForPath(outputPath);
            break;
        }
    }
}

} // namespace fw
