#pragma once

#include "batch/PhotoFile.h"

#include <QString>
#include <optional>

namespace fw {

// The state of the existing-file question while it is open: the photo, its
// planned output path, the rename field and its error line.
class OverwriteQuestion {
public:
    // Opens for a photo; the rename field starts as the output name without
    // its extension ("2024.05.01.jpg" offers "2024.05.01").
    void open(const PhotoFilePtr& photo, const QString& outputPath);
    void close();

    bool isOpen() const { return shown; }
    const PhotoFilePtr& fileToOverwrite() const { return photo; }
    const QString& filePathToOverwrite() const { return path; }

    // The rename field: typed text loses the characters a file name may not
    // hold and is cut to 255 characters.
    const QString& txtRenamefileName() const { return renameText; }
    void setRenameText(const QString& text);
    // The error line, empty when there is no error.
    const QString& lblErrorFileNewname() const { return errorText; }

    // The path the typed name asks for, or none with the error line set (the
    // error texts are looked up through the given table).
    std::optional<QString> acceptedRename(const QString& emptyNameError,
                                          const QString& existsError);

private:
    PhotoFilePtr photo;
    QString path;
    QString renameText;
    QString errorText;
    bool shown = false;
};

} // namespace fw
