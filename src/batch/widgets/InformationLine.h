#pragma once

#include <QColor>
#include <QString>

namespace fw {

struct BatchInformation;

// The batch's information line as styled text, its count and size set off
// in the emphasis colour; everything else escaped.
struct InformationLine {
    static QString styled(const BatchInformation& information, const QColor& emphasis);
};

} // namespace fw
