#include "cli/MergeLogsCommand.h"

#include "cli/CliRunner.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "log/RunLogMerger.h"
#include "log/RunLogWriter.h"

#include <QFileInfo>

namespace fw {

namespace {

bool isLogName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "csv" || suffix == "json";
}

void printSummary(const RunLogMerger::Merged& merged, qsizetype logCount, LocalizedStrings& strings,
                  QTextStream& out)
{
    const auto line = [&out, &strings](const char* caption, qsizetype value) {
        out << "  " << strings.getLocalizedStringForKey(caption) << ' ' << value << Qt::endl;
    };
    const QString logs = strings.getLocalizedStringForKey(StringKey::LOGS_MERGED)
                             .replace(QStringLiteral("%@"), QString::number(logCount));
    out << strings.getLocalizedStringForKey(StringKey::SUMMARY) << " (" << logs << ')' << Qt::endl;
    line(StringKey::TOTAL_IMAGE_SELECTED, merged.records.size());
    line(StringKey::TOTAL_IMAGE_CONVERTED, merged.written);
    line(StringKey::CONVERSION_FAILED, merged.records.size() - merged.written - merged.skipped);
    if (merged.skipped > 0)
        line(StringKey::TOTAL_IMAGE_SKIPPED, merged.skipped);
    for (auto count = merged.photosByInformation.cbegin();
         count != merged.photosByInformation.cend(); ++count)
        out << "    " << count.key().trimmed() << ": " << count.value() << Qt::endl;
}

} // namespace

int MergeLogsCommand::run(const QStringList& arguments, LocalizedStrings& strings, QTextStream& out,
                          QTextStream& err)
{
    if (arguments.size() < 2 || !std::all_of(arguments.cbegin(), arguments.cend(), isLogName)) {
        err << "framewright-cli: merge-logs: expected OUT IN..., each ending in .csv or .json"
            << Qt::endl;
        return CliRunner::BadUsageOrNothingToDo;
    }
    const RunLogMerger::Merged merged = RunLogMerger::merge(
        arguments.mid(1), LocalizedStrings::textsInEveryLanguage(StringKey::FILE_SKIPPED));
    if (!merged.problems.isEmpty()) {
        for (const QString& problem : merged.problems)
            err << "framewright-cli: merge-logs: " << problem << Qt::endl;
        err << "framewright-cli: merge-logs: nothing written" << Qt::endl;
        return CliRunner::SomeFailed;
    }
    if (const Outcome written = RunLogWriter::write(merged.records, arguments.first()); !written) {
        err << "framewright-cli: merge-logs: " << written.message() << Qt::endl;
        return CliRunner::SomeFailed;
    }
    printSummary(merged, arguments.size() - 1, strings, out);
    return CliRunner::AllWritten;
}

} // namespace fw
