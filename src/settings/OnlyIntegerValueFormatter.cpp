#include "settings/OnlyIntegerValueFormatter.h"

#include <QRegularExpression>

namespace fw {

OnlyIntegerValueFormatter::OnlyIntegerValueFormatter(qint64 maximumValue, bool allowsNegative,
                                                     qint64 maximumLength, QObject* parent)
    : QValidator(parent), maximumValue(maximumValue), allowsNegative(allowsNegative),
      maximumLength(maximumLength)
{
}

bool OnlyIntegerValueFormatter::isPartialStringValid(const QString& text) const
{
    if (text.isEmpty())
        return true;
    static const QRegularExpression wholeInteger(QStringLiteral("^-?[0-9]+$"));
    if (text.size() > maximumLength || !wholeInteger.match(text).hasMatch())
        return false;
    if (!allowsNegative && text.startsWith('-'))
        return false;
    bool fits = false;
    const qint64 value = text.toLongLong(&fits);
    return fits && value <= maximumValue && value != 0;
}

QValidator::State OnlyIntegerValueFormatter::validate(QString& input, int&) const
{
    if (!isPartialStringValid(input))
        return Invalid;
    return input.isEmpty() ? Intermediate : Acceptable;
}

} // namespace fw
