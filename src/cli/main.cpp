#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "cli/MergeLogsCommand.h"
#include "app/TerminationSignals.h"
#include "core/LocalizedStrings.h"
#include "core/ProductInfo.h"
#include "platform/NativePath.h"
#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("framewright-cli");
    QCoreApplication::setApplicationVersion(fw::ProductInfo::version());
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    // Paths are taken by their bytes: QCoreApplication would turn a name that
    // is not UTF-8 into another name.
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments << fw::NativePath::decode(QByteArray(argv[index]));
    if (!arguments.isEmpty() && arguments.first() == fw::MergeLogsCommand::name) {
        fw::LocalizedStrings strings;
        return fw::MergeLogsCommand::run(arguments.mid(1), strings, out, err);
    }
    const fw::CliOptions::Parsed parsed =
        fw::CliOptions::parse(arguments, pictures + "/Framewright");
    if (parsed.helpRequested) {
        out << fw::CliOptions::usage();
        return fw::CliRunner::AllWritten;
    }
    if (parsed.versionRequested) {
        out << "framewright-cli " << QCoreApplication::applicationVersion() << Qt::endl;
        return fw::CliRunner::AllWritten;
    }
    if (!parsed.options) {
        err << "framewright-cli: " << parsed.error << Qt::endl;
        return fw::CliRunner::BadUsageOrNothingToDo;
    }
    // The terminal shows the run's own messages; the decoders' and the
    // engine's diagnostics only when asked for.
    QLoggingCategory::setFilterRules(parsed.options->verbose
                                         ? QStringLiteral("framewright.*=true")
                                         : QStringLiteral("framewright.*=false"));
    fw::CliRunner runner(*parsed.options, fw::VipsImageService::shared(), out, err,
                         isatty(STDOUT_FILENO) != 0);
    const fw::TerminationSignals signals;
    QObject::connect(&signals, &fw::TerminationSignals::received, &runner,
                     [&runner](int signalNumber) { runner.interrupt(signalNumber); });
    return runner.run();
}
