#pragma once

#include "platform/ImageFileReader.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

// The last few headers read, each with its property dictionary, valid while
// its file keeps the size and modification time it had. One photo's step asks
// for them several times (size, orientation, colour model, decoding,
// metadata to carry); reading a file's header and metadata once is enough.
// Thread-safe.
class HeaderCache {
public:
    struct Read {
        ImageFileReader::StoredHeader header;
        QVariantMap properties;
    };

    explicit HeaderCache(int capacity) : capacity(capacity) {}

    std::optional<Read> find(const QString& path);
    void insert(const QString& path, const Read& read);

private:
    struct Signature {
        qint64 size = -1;
        qint64 modifiedNanoseconds = -1;
        bool operator==(const Signature&) const = default;
    };
    struct Entry {
        Signature signature;
        Read read;
    };

    static std::optional<Signature> signatureOf(const QString& path);

    const int capacity;
    QMutex mutex;
    QHash<QString, Entry> entries;
    // Oldest first.
    QList<QString> order;
};

} // namespace fw
