#include "processing/OverwriteQuestion.h"

#include "core/Utils.h"
#include "platform/PathInfo.h"

#include <QFileInfo>

namespace fw {

namespace {

constexpr qsizetype longestTypedName = 255;

QString withoutExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

} // namespace

void OverwriteQuestion::open(const PhotoFilePtr& photoToAsk, const QString& outputPath)
{
    photo = photoToAsk;
    path = outputPath;
    renameText = withoutExtension(QFileInfo(outputPath).fileName());
    errorText.clear();
    shown = true;
}

void OverwriteQuestion::close()
{
    shown = false;
}

void OverwriteQuestion::setRenameText(const QString& text)
{
    QString valid = Utils::validFileNameString(text);
    if (valid.size() > longestTypedName) {
        valid.truncate(longestTypedName);
        if (valid.back().isHighSurrogate())
            valid.chop(1);
    }
    renameText = valid;
}

std::optional<QString> OverwriteQuestion::acceptedRename(const QString& emptyNameError,
                                                         const QString& existsError)
{
    const QFileInfo planned(path);
    const QString candidate =
        QStringLiteral("%1/%2.%3").arg(planned.path(), renameText, planned.suffix());
    if (renameText.isEmpty()) {
        errorText = QStringLiteral("* %1").arg(emptyNameError);
        return std::nullopt;
    }
    if (PathInfo::ofLink(candidate).exists()) {
        errorText = QStringLiteral("* %1").arg(existsError);
        return std::nullopt;
    }
    errorText.clear();
    return candidate;
}

} // namespace fw
