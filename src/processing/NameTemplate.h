#pragma once

#include <QDate>
#include <QList>
#include <QSize>
#include <QString>
#include <optional>

namespace fw {

// An output name made of text and tokens: {name} the source's name without
// its extension, {n} the photo's number in the run ({n:3} three digits at
// least), {date} the day it was taken (YYYY-MM-DD), {w} and {h} the output's
// pixel size, {ext} the source's extension. The text loses the characters a
// file name may not hold, as a prefix does.
class NameTemplate {
public:
    struct Fields {
        QString sourceName;
        int number = 1;
        QDate date;
        QSize outputSize;
        QString extension;
    };

    // The counter's start runs from 0 to this, so a run's numbers stay
    // within an int.
    static constexpr int largestCounterStart = 999999999;

    explicit NameTemplate(const QString& pattern);

    // The first token the template does not know, as written ("{size}"), or
    // a lone brace; none when every token is known.
    std::optional<QString> unknownToken() const;
    // Whether the template names anything at all.
    bool isEmpty() const;
    QString nameFor(const Fields& fields) const;

private:
    enum class Kind { Text, Name, Number, Date, Width, Height, Extension, Unknown };
    struct Part {
        Kind kind = Kind::Text;
        QString text;
        int digits = 0;
    };

    static Part tokenPart(const QString& token);
    QString valueOf(const Part& part, const Fields& fields) const;

    QList<Part> parts;
};

} // namespace fw
