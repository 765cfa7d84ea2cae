#include "platform/PlistReader.h"

#include <QDateTime>
#include <QFile>
#include <QLoggingCategory>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <plist/plist++.h>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logPlist, "framewright.plist")

// Property-list dates count seconds from 2001-01-01 UTC.
constexpr qint64 plistEpochOffsetSeconds = 978307200;

QVariant toVariant(const PList::Node* node);

QVariant dictionaryToVariant(const PList::Dictionary* dictionary)
{
    QVariantMap map;
    for (auto entry = dictionary->Begin(); entry != dictionary->End(); ++entry)
        map.insert(QString::fromStdString(entry->first), toVariant(entry->second));
    return map;
}

QVariant arrayToVariant(const PList::Array* array)
{
    QVariantList list;
    auto* mutableArray = const_cast<PList::Array*>(array);
    for (uint32_t index = 0; index < array->GetSize(); ++index)
        list.append(toVariant((*mutableArray)[index]));
    return list;
}

QVariant toVariant(const PList::Node* node)
{
    if (node == nullptr)
        return {};
    switch (node->GetType()) {
    case PLIST_DICT:
        return dictionaryToVariant(static_cast<const PList::Dictionary*>(node));
    case PLIST_ARRAY:
        return arrayToVariant(static_cast<const PList::Array*>(node));
    case PLIST_STRING:
        return QString::fromStdString(static_cast<const PList::String*>(node)->GetValue());
    case PLIST_KEY:
        return QString::fromStdString(static_cast<const PList::Key*>(node)->GetValue());
    case PLIST_UINT:
        return static_cast<qint64>(static_cast<const PList::Integer*>(node)->GetValue());
    case PLIST_REAL:
        return static_cast<const PList::Real*>(node)->GetValue();
    case PLIST_BOOLEAN:
        return static_cast<const PList::Boolean*>(node)->GetValue();
    case PLIST_DATE: {
        const timeval time = static_cast<const PList::Date*>(node)->GetValue();
        return QDateTime::fromSecsSinceEpoch(plistEpochOffsetSeconds + time.tv_sec, Qt::UTC);
    }
    case PLIST_DATA: {
        const std::vector<char> bytes = static_cast<const PList::Data*>(node)->GetValue();
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    case PLIST_UID:
        return static_cast<qint64>(static_cast<const PList::Uid*>(node)->GetValue());
    case PLIST_NONE:
        break;
    }
    return {};
}

bool isBinaryPlist(const QByteArray& data)
{
    return data.startsWith("bplist00");
}

} // namespace

std::optional<QVariant> PlistReader::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(logPlist) << "cannot open property list" << path << file.errorString();
        return std::nullopt;
    }
    const std::optional<QVariant> value = readData(file.readAll());
    if (!value)
        qCWarning(logPlist) << "property list does not parse:" << path;
    return value;
}

std::optional<QVariant> PlistReader::readData(const QByteArray& data)
{
    if (data.isEmpty())
        return std::nullopt;
    try {
        std::unique_ptr<PList::Structure> root(
            isBinaryPlist(data)
                ? PList::Structure::FromBin(std::vector<char>(data.cbegin(), data.cend()))
                : PList::Structure::FromXml(data.toStdString()));
        if (!root)
            return std::nullopt;
        return toVariant(root.get());
    } catch (const std::exception& error) {
        qCWarning(logPlist) << "property list reader failed:" << error.what();
        return std::nullopt;
    }
}

} // namespace fw
