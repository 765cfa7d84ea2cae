#include "platform/IccProfile.h"

namespace fw {

namespace {

constexpr qsizetype tagTableOffset = 128;
constexpr qsizetype tagEntrySize = 12;

quint32 bigEndian32(const QByteArray& bytes, qsizetype offset)
{
    if (offset < 0 || offset + 4 > bytes.size())
        return 0;
    quint32 value = 0;
    for (int index = 0; index < 4; ++index)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + index));
    return value;
}

QByteArray tagData(const QByteArray& profile, const QByteArray& signature)
{
    const quint32 count = bigEndian32(profile, tagTableOffset);
    for (quint32 index = 0; index < count; ++index) {
        const qsizetype entry = tagTableOffset + 4 + static_cast<qsizetype>(index) * tagEntrySize;
        if (entry + tagEntrySize > profile.size())
            break;
        if (profile.mid(entry, 4) != signature)
            continue;
        const qsizetype offset = bigEndian32(profile, entry + 4);
        const qsizetype size = bigEndian32(profile, entry + 8);
        if (offset + size > profile.size())
            return {};
        return profile.mid(offset, size);
    }
    return {};
}

QString textDescription(const QByteArray& tag)
{
    const qsizetype length = bigEndian32(tag, 8);
    if (length <= 0 || 12 + length > tag.size())
        return {};
    return QString::fromLatin1(tag.mid(12, length)).remove(QChar('\0')).trimmed();
}

QString multiLocalizedDescription(const QByteArray& tag)
{
    if (bigEndian32(tag, 8) == 0)
        return {};
    const qsizetype length = bigEndian32(tag, 20);
    const qsizetype offset = bigEndian32(tag, 24);
    if (offset + length > tag.size())
        return {};
    QString text;
    for (qsizetype position = offset; position + 1 < offset + length; position += 2) {
        const char16_t unit = static_cast<char16_t>((static_cast<quint8>(tag.at(position)) << 8) |
                                                    static_cast<quint8>(tag.at(position + 1)));
        text.append(QChar(unit));
    }
    return text.remove(QChar('\0')).trimmed();
}

} // namespace

QString IccProfile::description(const QByteArray& profile)
{
    const QByteArray tag = tagData(profile, "desc");
    if (tag.startsWith("desc"))
        return textDescription(tag);
    if (tag.startsWith("mluc"))
        return multiLocalizedDescription(tag);
    return {};
}

QString IccProfile::colourSpace(const QByteArray& profile)
{
    if (profile.size() < 20)
        return {};
    return QString::fromLatin1(profile.mid(16, 4)).trimmed();
}

} // namespace fw
