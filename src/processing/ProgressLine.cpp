#include "processing/ProgressLine.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "processing/BatchRun.h"

namespace fw {

ProgressLine ProgressLine::of(const BatchRun& run, LocalizedStrings& strings)
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    ProgressLine line;
    line.values = {QStringLiteral("%1 %").arg(run.percentDone()),
                   QString::number(run.processedWithError()), run.elapsedTimeText()};
    line.text = QStringLiteral("%1 %2  |  %3 %4  |  %5 %6 %7")
                    .arg(text(StringKey::PROCESS_COMPLETED), line.values[0],
                         text(StringKey::ERROR_REPORTED), line.values[1],
                         text(StringKey::TIME_ELAPSED), line.values[2], text(StringKey::APPROX));
    if (const QString left = run.remainingTimeText(); !left.isEmpty()) {
        line.values << left;
        line.text += QStringLiteral("  |  %1 %2 %3")
                         .arg(text(StringKey::TIME_LEFT), left, text(StringKey::APPROX));
    }
    return line;
}

} // namespace fw
