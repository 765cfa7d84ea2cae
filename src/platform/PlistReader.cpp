#include "platform/PlistReader.h"

#include "platform/NativePath.h"
#include "platform/PlistShape.h"

#include <QDateTime>
#include <QFile>
#include <QLoggingCategory>
#include <QVariantList>
#include <QVariantMap>
#include <cstdlib>
#include <memory>
#include <plist/plist++.h>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logPlist, "framewright.plist", QtCriticalMsg)

// Property-list dates count seconds from 2001-01-01 UTC.
constexpr qint64 plistEpochOffsetSeconds = 978307200;

// Converted through the C nodes underneath libplist++: its C++ array wrapper
// (2.2) finds no items through operator[] although GetSize() counts them.
QVariant toVariant(plist_t node);

QString takeString(char* text)
{
    const QString value = text != nullptr ? QString::fromUtf8(text) : QString();
    std::free(text);
    return value;
}

QVariant dictionaryToVariant(plist_t dictionary)
{
    QVariantMap map;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(dictionary, &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dictionary, iterator, &key, &value);
        if (value == nullptr) {
            std::free(key);
            break;
        }
        map.insert(takeString(key), toVariant(value));
    }
    std::free(iterator);
    return map;
}

QVariant arrayToVariant(plist_t array)
{
    QVariantList list;
    for (uint32_t index = 0; index < plist_array_get_size(array); ++index)
        list.append(toVariant(plist_array_get_item(array, index)));
    return list;
}

QVariant scalarToVariant(plist_t node, plist_type type)
{
    switch (type) {
    case PLIST_STRING: {
        char* text = nullptr;
        plist_get_string_val(node, &text);
        return takeString(text);
    }
    case PLIST_KEY: {
        char* text = nullptr;
        plist_get_key_val(node, &text);
        return takeString(text);
    }
    case PLIST_UINT:
    case PLIST_UID: {
        uint64_t value = 0;
        type == PLIST_UINT ? plist_get_uint_val(node, &value) : plist_get_uid_val(node, &value);
        return static_cast<qint64>(value);
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value != 0;
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return QDateTime::fromSecsSinceEpoch(plistEpochOffsetSeconds + seconds, Qt::UTC);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        const QByteArray data(bytes, static_cast<qsizetype>(length));
        std::free(bytes);
        return data;
    }
    default:
        return {};
    }
}

QVariant toVariant(plist_t node)
{
    if (node == nullptr)
        return {};
    const plist_type type = plist_get_node_type(node);
    if (type == PLIST_DICT)
        return dictionaryToVariant(node);
    if (type == PLIST_ARRAY)
        return arrayToVariant(node);
    return scalarToVariant(node, type);
}

bool isBinaryPlist(const QByteArray& data)
{
    return data.startsWith("bplist00");
}

} // namespace

// The string tables are resources (":/..."), which only QFile can open; album
// lists are files on disk, whose paths may hold any bytes.
PlistReader::Read PlistReader::readFile(const QString& path)
{
    QFile file(path);
    const bool opened = path.startsWith(QStringLiteral(":/"))
                            ? file.open(QIODevice::ReadOnly)
                            : NativePath::openForReading(file, path);
    if (!opened) {
        qCWarning(logPlist) << "cannot open property list" << path << file.errorString();
        return {std::nullopt, QStringLiteral("it cannot be opened")};
    }
    if (file.size() > largestList)
        return {std::nullopt, QStringLiteral("it is larger than %1 MB").arg(largestList >> 20)};
    Read read = readData(file.readAll());
    if (!read.value)
        qCWarning(logPlist) << "property list" << path << "refused:" << read.failure;
    return read;
}

PlistReader::Read PlistReader::readData(const QByteArray& data)
{
    if (data.isEmpty())
        return {std::nullopt, QStringLiteral("it is empty")};
    if (const QString refusal = PlistShape::refusal(data); !refusal.isEmpty())
        return {std::nullopt, refusal};
    try {
        std::unique_ptr<PList::Structure> root(
            isBinaryPlist(data)
                ? PList::Structure::FromBin(std::vector<char>(data.cbegin(), data.cend()))
                : PList::Structure::FromXml(data.toStdString()));
        if (!root)
            return {std::nullopt, QStringLiteral("it is not a property list")};
        return {toVariant(root->GetPlist()), {}};
    } catch (const std::exception& error) {
        qCWarning(logPlist) << "property list reader failed:" << error.what();
        return {std::nullopt, QStringLiteral("it is not a property list")};
    }
}

} // namespace fw
