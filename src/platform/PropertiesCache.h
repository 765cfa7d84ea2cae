#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace fw {

// The last few property dictionaries read, each valid while its file keeps
// the size and modification time it had. One photo's step asks for its
// dictionary several times (size, colour model, orientation, metadata to
// carry); parsing a large file's metadata once is enough. Thread-safe.
class PropertiesCache {
public:
    explicit PropertiesCache(int capacity) : capacity(capacity) {}

    std::optional<QVariantMap> find(const QString& path);
    void insert(const QString& path, const QVariantMap& properties);

private:
    struct Signature {
        qint64 size = -1;
        qint64 modifiedNanoseconds = -1;
        bool operator==(const Signature&) const = default;
    };
    struct Entry {
        Signature signature;
        QVariantMap properties;
    };

    static std::optional<Signature> signatureOf(const QString& path);

    const int capacity;
    QMutex mutex;
    QHash<QString, Entry> entries;
    // Oldest first.
    QList<QString> order;
};

} // namespace fw
