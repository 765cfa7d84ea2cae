#pragma once

#include <QVariant>
#include <optional>

class QByteArray;
class QString;

namespace fw {

// Reads XML and binary property lists into Qt values: dictionaries become
// QVariantMap, arrays QVariantList, strings QString, integers qint64, reals
// double, booleans bool, dates QDateTime (UTC) and data QByteArray.
// A file or buffer that does not parse gives no value and a diagnostic line.
class PlistReader {
public:
    static std::optional<QVariant> readFile(const QString& path);
    static std::optional<QVariant> readData(const QByteArray& data);
};

} // namespace fw
