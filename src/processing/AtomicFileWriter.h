#pragma once

#include "platform/Outcome.h"

#include <QString>

namespace fw {

// Writes a file under a temporary name in the destination folder and renames
// it over the final name only when it is complete, so a failed write leaves
// whatever was there (the source photo itself, when an output replaces its
// source) exactly as it was. A writer that is not committed removes its
// temporary file.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(QString finalPath);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Empty when no temporary file could be made (the folder is not writable).
    const QString& temporaryPath() const { return temporary; }
    const QString& reservationError() const { return error; }

    // Fills the temporary file with a copy of another file's bytes.
    Outcome copyContentsOf(const QString& sourcePath) const;
    Outcome commit();

private:
    QString finalPath;
    QString temporary;
    QString error;
    bool committed = false;
};

} // namespace fw
