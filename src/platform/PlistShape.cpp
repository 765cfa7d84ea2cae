#include "platform/PlistShape.h"

#include <QByteArray>
#include <QList>
#include <QXmlStreamReader>
#include <utility>

namespace fw {

namespace {

const QString tooDeep = QStringLiteral("it is nested more than %1 levels deep");

// A big-endian unsigned number of 1 to 8 bytes at the offset; none past the end.
std::optional<quint64> bigEndian(const QByteArray& data, qint64 offset, int size)
{
    if (offset < 0 || size < 1 || size > 8 || offset + size > data.size())
        return std::nullopt;
    quint64 value = 0;
    for (int index = 0; index < size; ++index)
        value = (value << 8) | static_cast<quint8>(data.at(offset + index));
    return value;
}

struct BinaryTrailer {
    int offsetSize = 0;
    int referenceSize = 0;
    quint64 objectCount = 0;
    quint64 topObject = 0;
    quint64 offsetTable = 0;
};

std::optional<BinaryTrailer> trailerOf(const QByteArray& data)
{
    constexpr int trailerSize = 32;
    if (data.size() < 8 + trailerSize)
        return std::nullopt;
    const qint64 start = data.size() - trailerSize;
    BinaryTrailer trailer;
    trailer.offsetSize = static_cast<quint8>(data.at(start + 6));
    trailer.referenceSize = static_cast<quint8>(data.at(start + 7));
    trailer.objectCount = bigEndian(data, start + 8, 8).value_or(0);
    trailer.topObject = bigEndian(data, start + 16, 8).value_or(0);
    trailer.offsetTable = bigEndian(data, start + 24, 8).value_or(0);
    const bool sane = trailer.offsetSize >= 1 && trailer.offsetSize <= 8 &&
                      trailer.referenceSize >= 1 && trailer.referenceSize <= 8 &&
                      trailer.objectCount > 0 &&
                      trailer.objectCount <= static_cast<quint64>(data.size()) &&
                      trailer.topObject < trailer.objectCount &&
                      trailer.offsetTable < static_cast<quint64>(start);
    return sane ? std::optional(trailer) : std::nullopt;
}

// The objects a container refers to; none for a scalar; nothing at all when
// the object does not lie within the data.
std::optional<QList<quint64>> childrenOf(const QByteArray& data, const BinaryTrailer& trailer,
                                         quint64 object)
{
    const std::optional<quint64> offset =
        bigEndian(data, static_cast<qint64>(trailer.offsetTable + object * trailer.offsetSize),
                  trailer.offsetSize);
    if (!offset || *offset >= trailer.offsetTable)
        return std::nullopt;
    qint64 position = static_cast<qint64>(*offset);
    const quint8 marker = static_cast<quint8>(data.at(position++));
    const int type = marker >> 4;
    const bool container = type == 0xA || type == 0xC || type == 0xD;
    if (!container)
        return QList<quint64>{};
    quint64 count = marker & 0xF;
    if (count == 0xF) {
        const std::optional<quint64> countMarker = bigEndian(data, position++, 1);
        const int countSize = 1 << (countMarker.value_or(0) & 0x3);
        const std::optional<quint64> longCount = bigEndian(data, position, countSize);
        if (!countMarker || (*countMarker >> 4) != 0x1 || !longCount)
            return std::nullopt;
        count = *longCount;
        position += countSize;
    }
    const quint64 references = type == 0xD ? count * 2 : count;
    if (references > trailer.objectCount * 2 ||
        position + static_cast<qint64>(references * trailer.referenceSize) > data.size())
        return std::nullopt;
    QList<quint64> children;
    children.reserve(static_cast<qsizetype>(references));
    for (quint64 index = 0; index < references; ++index) {
        const quint64 child =
            *bigEndian(data, position + static_cast<qint64>(index * trailer.referenceSize),
                       trailer.referenceSize);
        if (child >= trailer.objectCount)
            return std::nullopt;
        children.append(child);
    }
    return children;
}

} // namespace

QString PlistShape::refusal(const QByteArray& data)
{
    return data.startsWith("bplist00") ? binaryRefusal(data) : xmlRefusal(data);
}

// Entities are refused outright: a property list needs none, and expanding
// them is how a small file becomes a huge one.
QString PlistShape::xmlRefusal(const QByteArray& data)
{
    QXmlStreamReader reader(data);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            if (!reader.entityDeclarations().isEmpty())
                return QStringLiteral("it declares entities");
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > deepestNesting)
                return tooDeep.arg(deepestNesting);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return reader.hasError() ? QStringLiteral("it is not well-formed XML") : QString();
}

// A walk with its own stack: an object reached by a loop of references only
// gets deeper, so the depth bound ends loops too, and the step budget ends
// lists whose objects are shared so often that their paths multiply.
QString PlistShape::binaryRefusal(const QByteArray& data)
{
    const std::optional<BinaryTrailer> trailer = trailerOf(data);
    if (!trailer)
        return QStringLiteral("its binary trailer is damaged");
    const quint64 budget = trailer->objectCount * 8 + 1024;
    quint64 steps = 0;
    QList<std::pair<quint64, int>> pending{{trailer->topObject, 1}};
    while (!pending.isEmpty()) {
        const auto [object, depth] = pending.takeLast();
        if (depth > deepestNesting)
            return tooDeep.arg(deepestNesting);
        if (++steps > budget)
            return QStringLiteral("its objects refer to each other too often");
        const std::optional<QList<quint64>> children = childrenOf(data, *trailer, object);
        if (!children)
            return QStringLiteral("an object lies outside the file");
        // Children are charged as they are put on the stack, so a list that
        // refers to itself a million times cannot grow it past the budget.
        if (!children->isEmpty() && depth + 1 > deepestNesting)
            return tooDeep.arg(deepestNesting);
        steps += static_cast<quint64>(children->size());
        if (steps > budget)
            return QStringLiteral("its objects refer to each other too often");
        for (const quint64 child : *children)
            pending.append({child, depth + 1});
    }
    return {};
}

} // namespace fw
