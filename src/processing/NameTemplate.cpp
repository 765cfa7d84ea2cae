#include "processing/NameTemplate.h"

#include "core/Utils.h"

#include <QRegularExpression>

namespace fw {

namespace {

// More digits than a counter can have only pads with zeros.
constexpr int maximumDigits = 9;

} // namespace

NameTemplate::NameTemplate(const QString& pattern)
{
    static const QRegularExpression token(QStringLiteral("\\{[^{}]*\\}"));
    qsizetype position = 0;
    for (const QRegularExpressionMatch& match : token.globalMatch(pattern)) {
        if (match.capturedStart() > position)
            parts.append({Kind::Text, pattern.mid(position, match.capturedStart() - position)});
        parts.append(tokenPart(match.captured()));
        position = match.capturedEnd();
    }
    if (position < pattern.size())
        parts.append({Kind::Text, pattern.mid(position)});
    for (Part& part : parts) {
        if (part.kind == Kind::Text && (part.text.contains('{') || part.text.contains('}')))
            part.kind = Kind::Unknown;
    }
}

NameTemplate::Part NameTemplate::tokenPart(const QString& token)
{
    static const QRegularExpression counter(QStringLiteral("^\\{n(?::([1-9]))?\\}$"));
    if (const QRegularExpressionMatch match = counter.match(token); match.hasMatch())
        return {Kind::Number, token, std::min(match.captured(1).toInt(), maximumDigits)};
    const QString name = token.mid(1, token.size() - 2);
    const Kind kind = name == "name"   ? Kind::Name
                      : name == "date" ? Kind::Date
                      : name == "w"    ? Kind::Width
                      : name == "h"    ? Kind::Height
                      : name == "ext"  ? Kind::Extension
                                       : Kind::Unknown;
    return {kind, token};
}

std::optional<QString> NameTemplate::unknownToken() const
{
    for (const Part& part : parts) {
        if (part.kind == Kind::Unknown)
            return part.text;
    }
    return std::nullopt;
}

bool NameTemplate::isEmpty() const
{
    return nameFor({QStringLiteral("x"), 1, QDate(2000, 1, 1), QSize(1, 1), QStringLiteral("x")})
        .isEmpty();
}

QString NameTemplate::nameFor(const Fields& fields) const
{
    QString name;
    for (const Part& part : parts)
        name += valueOf(part, fields);
    return name;
}

QString NameTemplate::valueOf(const Part& part, const Fields& fields) const
{
    switch (part.kind) {
    case Kind::Text:
        return Utils::validFileNameString(part.text);
    case Kind::Name:
        return fields.sourceName;
    case Kind::Number:
        return QStringLiteral("%1").arg(fields.number, part.digits, 10, QChar('0'));
    case Kind::Date:
        return fields.date.toString(QStringLiteral("yyyy-MM-dd"));
    case Kind::Width:
        return QString::number(fields.outputSize.width());
    case Kind::Height:
        return QString::number(fields.outputSize.height());
    case Kind::Extension:
        return fields.extension;
    case Kind::Unknown:
        break;
    }
    return {};
}

} // namespace fw
