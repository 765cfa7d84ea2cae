#pragma once

#include "processing/SizeObject.h"

#include <QList>
#include <QString>
#include <optional>

class QSettings;

namespace fw {

// The stored preset list. Archived as JSON under "PROJECT_SESSION" in the
// user-defaults store, keeping the archive keys and value types.
struct ProjectSession {
    static constexpr const char* settingsKey = "PROJECT_SESSION";
    // Where stored data that could not be decoded is kept aside.
    static constexpr const char* unreadableKey = "PROJECT_SESSION_UNREADABLE";

    std::optional<QString> dateString;
    QList<SizeObject> arrayPredefinedSize;

    QByteArray archive() const;
    // Undecodable data gives no session, and a diagnostic line.
    static std::optional<ProjectSession> unarchive(const QByteArray& data);

    struct Loaded {
        QList<SizeObject> presets;
        // Data is stored but cannot be decoded (the presets are then empty).
        bool unreadable = false;
    };
    // The stored presets; an empty list when nothing or nothing decodable is stored.
    static Loaded loadPresets(QSettings& store);
    // Replaces the stored session with one holding the presets, and syncs.
    static void saveProjectSession(QSettings& store, const QList<SizeObject>& presets);
};

} // namespace fw
