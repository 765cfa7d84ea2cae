#pragma once

#include <QVariant>
#include <optional>

class QByteArray;
class QString;

namespace fw {

// Reads XML and binary property lists into Qt values: dictionaries become
// QVariantMap, arrays QVariantList, strings QString, integers qint64, reals
// double, booleans bool, dates QDateTime (UTC) and data QByteArray.
// A file that is not a regular file, is larger than any album list, is
// nested too deeply or does not parse gives no value and says why.
class PlistReader {
public:
    static constexpr qint64 largestList = qint64(512) << 20;

    struct Read {
        std::optional<QVariant> value;
        // Why there is no value, in words for the user.
        QString failure;
    };

    static Read readFile(const QString& path);
    static Read readData(const QByteArray& data);
};

} // namespace fw
