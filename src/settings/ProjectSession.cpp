#include "settings/ProjectSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSettings>

namespace fw {

namespace {
Q_LOGGING_CATEGORY(logSession, "framewright.presets", QtCriticalMsg)
}

QByteArray ProjectSession::archive() const
{
    QJsonArray presets;
    for (const SizeObject& size : arrayPredefinedSize)
        presets.append(size.toArchive());
    QJsonObject root;
    if (dateString)
        root.insert("dateString", *dateString);
    root.insert("arrayPresets", presets);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<ProjectSession> ProjectSession::unarchive(const QByteArray& data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qCWarning(logSession) << "stored presets cannot be decoded:" << error.errorString();
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    ProjectSession session;
    if (root.contains("dateString"))
        session.dateString = root.value("dateString").toString();
    for (const QJsonValue& preset : root.value("arrayPresets").toArray()) {
        if (!preset.isObject()) {
            qCWarning(logSession) << "skipping a stored preset that is not a record";
            continue;
        }
        session.arrayPredefinedSize.append(SizeObject::fromArchive(preset.toObject()));
    }
    return session;
}

ProjectSession::Loaded ProjectSession::loadPresets(QSettings& store)
{
    const QVariant stored = store.value(settingsKey);
    if (!stored.isValid())
        return {};
    const std::optional<ProjectSession> session = unarchive(stored.toByteArray());
    if (!session)
        return {{}, true};
    return {session->arrayPredefinedSize, false};
}

void ProjectSession::saveProjectSession(QSettings& store, const QList<SizeObject>& presets)
{
    ProjectSession session;
    session.arrayPredefinedSize = presets;
    store.setValue(settingsKey, session.archive());
    store.sync();
}

} // namespace fw
