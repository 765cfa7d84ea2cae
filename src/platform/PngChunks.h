#pragma once

#include <QString>

namespace fw {

// The chunk lengths of a PNG file, checked against the file before a decoder
// trusts them: a 90-byte file whose text chunk claims 1.5 GB makes the
// decoder reserve the 1.5 GB and wait for bytes that never come.
class PngChunks {
public:
    PngChunks() = delete;

    // Empty when no chunk claims more than the file holds, else what is wrong.
    static QString damage(const QString& path);
};

} // namespace fw
