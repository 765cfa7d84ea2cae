#pragma once

#include <QString>
#include <QStringList>

namespace fw {

// Refuses choices inside the user's trash: photos there are on their way out,
// and a batch that names them would lose them at the next emptying. The trash
// folders are those of the freedesktop.org trash: "Trash" in the user's data
// folder, and ".Trash-<uid>" and ".Trash/<uid>" at the top of every volume.
// Folders are compared by whole path components, so "Trash2" is not inside
// "Trash". Any thread may use it.
class TrashRule {
public:
    TrashRule(QString dataHome, unsigned userId);
    // The rule of the user running the program, whose data folder is
    // $XDG_DATA_HOME, or ~/.local/share when that is not set.
    static TrashRule forCurrentUser();

    // Whether the path, as written or with its links resolved, is one of the
    // trash folders or lies below one.
    bool isInTrash(const QString& path) const;

private:
    QStringList trashFoldersFor(const QString& absolutePath) const;
    static bool isWithin(const QString& path, const QString& folder);
    static QString volumeRootOf(const QString& absolutePath);

    QString homeTrash;
    QString userId;
};

} // namespace fw
