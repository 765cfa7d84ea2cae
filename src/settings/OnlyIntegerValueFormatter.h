#pragma once

#include <QValidator>

namespace fw {

// The input filter of the number fields: an edit is taken when the text that
// results is empty, or is one whole integer (nothing before or after it) of
// at most the maximum length, not above the maximum value and not 0. So "0"
// cannot be typed as the whole content. The size fields let a minus sign
// through (their bounds raise a negative value to 1 at once); the quality
// field refuses it, since a negative quality would reach the encoder as its
// worst.
class OnlyIntegerValueFormatter : public QValidator {
    Q_OBJECT
public:
    static constexpr qint64 unlimited = 2147483647;

    explicit OnlyIntegerValueFormatter(qint64 maximumValue = unlimited, bool allowsNegative = true,
                                       qint64 maximumLength = unlimited, QObject* parent = nullptr);

    bool isPartialStringValid(const QString& text) const;
    // Empty text is Intermediate (the field may be cleared while typing);
    // every other text the rule takes is Acceptable, the rest Invalid.
    State validate(QString& input, int& position) const override;

private:
    const qint64 maximumValue;
    const bool allowsNegative;
    const qint64 maximumLength;
};

} // namespace fw
