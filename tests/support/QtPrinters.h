#pragma once

// Lets test failures print Qt values as text. Included into every test file
// by the build, so a failing comparison of two QStrings shows the strings.
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '[' << list.join(", ").toStdString() << ']';
}

inline void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << 'x' << size.height();
}

inline void PrintTo(const QSizeF& size, std::ostream* out)
{
    *out << size.width() << 'x' << size.height();
}
