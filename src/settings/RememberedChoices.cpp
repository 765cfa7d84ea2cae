#include "settings/RememberedChoices.h"

#include "core/Codes.h"
#include "processing/KnownFormats.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace fw {

namespace {

QJsonObject outputArchive(const OutputOptionSettings& output)
{
    return {{"formatOption", output.formatOption},
            {"selectedFileFormat", output.selectedFileFormat},
            {"compressionRatio", output.compressionRatio},
            {"isLossless", output.isLossless},
            {"metadataOption", output.metadataOption},
            {"filenameOption", output.filenameOption},
            {"prefixString", output.prefixString},
            {"nameTemplate", output.nameTemplate},
            {"counterStart", output.counterStart},
            {"folderOption", output.folderOption},
            {"ouptputFolder", output.ouptputFolder},
            {"keepFolderHierarchy", output.keepFolderHierarchy},
            {"askBeforeOverwrite", output.askBeforeOverwrite}};
}

// Codes out of their range fall back to the defaults rather than reaching the
// panels.
int code(const QJsonObject& archive, const char* key, int largest, int fallback = 0)
{
    const int value = archive.value(key).toInt(fallback);
    return value >= 0 && value <= largest ? value : fallback;
}

OutputOptionSettings outputFrom(const QJsonObject& archive)
{
    OutputOptionSettings output;
    output.formatOption = code(archive, "formatOption", FormatOption::Convert);
    output.selectedFileFormat = code(archive, "selectedFileFormat",
                                     static_cast<int>(KnownFormats::extensions().size()) - 1);
    output.compressionRatio =
        code(archive, "compressionRatio", 100, ImageService::defaultQualityPercent);
    output.isLossless = archive.value("isLossless").toBool();
    output.metadataOption = code(archive, "metadataOption", MetadataOption::PictureOnly);
    output.filenameOption = code(archive, "filenameOption", FileNameOption::Template);
    output.prefixString = archive.value("prefixString").toString();
    output.nameTemplate = archive.value("nameTemplate").toString();
    output.counterStart = std::max(0, archive.value("counterStart").toInt(1));
    output.folderOption = code(archive, "folderOption", FolderOption::IntoFolder);
    output.ouptputFolder = archive.value("ouptputFolder").toString();
    output.keepFolderHierarchy = archive.value("keepFolderHierarchy").toBool();
    output.askBeforeOverwrite = archive.value("askBeforeOverwrite").toBool(true);
    return output;
}

} // namespace

void RememberedChoices::remember(QSettings& store, const RunSettings& settings)
{
    const ResizingOptionsSettingObject& geometry = settings.geometry;
    const QJsonObject archive = {{"output", outputArchive(settings.output)},
                                 {"size", geometry.sizeObject.toArchive()},
                                 {"rotationType", geometry.rotationType},
                                 {"isHorizontalFlip", geometry.isHorizontalFlip},
                                 {"isVerticalFlip", geometry.isVerticalFlip}};
    store.setValue(storeKey, QJsonDocument(archive).toJson(QJsonDocument::Compact));
}

std::optional<RunSettings> RememberedChoices::recall(const QSettings& store)
{
    const QJsonDocument document = QJsonDocument::fromJson(store.value(storeKey).toByteArray());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject archive = document.object();
    RunSettings settings;
    settings.output = outputFrom(archive.value("output").toObject());
    settings.geometry.sizeObject = SizeObject::fromArchive(archive.value("size").toObject());
    settings.geometry.rotationType = code(archive, "rotationType", RotationType::UprightByTag);
    settings.geometry.isHorizontalFlip = archive.value("isHorizontalFlip").toBool();
    settings.geometry.isVerticalFlip =
        archive.value("isVerticalFlip").toBool() && !settings.geometry.isHorizontalFlip;
    return settings;
}

void RememberedChoices::forget(QSettings& store)
{
    store.remove(storeKey);
}

} // namespace fw
