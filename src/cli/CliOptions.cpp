#include "cli/CliOptions.h"

#include "processing/KnownFormats.h"
#include "processing/Utils.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace fw {

namespace {

const QHash<QString, int>& rotations()
{
    static const QHash<QString, int> names = {
        {"none", 0}, {"cw", 1}, {"ccw", 2}, {"180", 3}, {"auto", 4}};
    return names;
}

const QHash<QString, int>& conflictModes()
{
    static const QHash<QString, int> names = {{"keep", 3}, {"replace", 2}, {"skip", 1}};
    return names;
}

QString failure(const QString& option, const QString& allowed)
{
    return QStringLiteral("%1: expected %2").arg(option, allowed);
}

std::optional<double> positiveNumber(const QString& text, double maximum)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || value <= 0 || value > maximum)
        return std::nullopt;
    return value;
}

// Reads the arguments one by one; each option reports its own error.
class Parser {
public:
    Parser(const QStringList& arguments, CliOptions& options)
        : arguments(arguments), options(options)
    {
    }

    QString run();
    bool helpRequested = false;

private:
    QString take(const QString& option, QString& value);
    QString apply(const QString& option);
    QString applySize();
    QString applyPercent(const QString& value);
    QString applyFormat(const QString& value);
    QString applyName(const QString& value);

    const QStringList& arguments;
    CliOptions& options;
    qsizetype position = 0;
    // 0 until given: a size is always above 0.
    double width = 0;
    double height = 0;
    bool keepAspect = true;
    bool percentGiven = false;
};

QString Parser::run()
{
    while (position < arguments.size()) {
        const QString argument = arguments.at(position++);
        if (argument == "--") {
            for (const QString& path : arguments.mid(position))
                options.paths << QFileInfo(path).absoluteFilePath();
            break;
        }
        if (argument.startsWith('-') && argument.size() > 1) {
            if (QString error = apply(argument); !error.isEmpty())
                return error;
            if (helpRequested)
                return {};
            continue;
        }
        // Absolute, so the log and rebuilt folders name where a photo came
        // from; links are kept as given.
        options.paths << QFileInfo(argument).absoluteFilePath();
    }
    return applySize();
}

QString Parser::take(const QString& option, QString& value)
{
    if (position >= arguments.size())
        return QStringLiteral("%1: a value is missing").arg(option);
    value = arguments.at(position++);
    return {};
}

QString Parser::apply(const QString& option)
{
    if (option == "-h" || option == "--help") {
        helpRequested = true;
        return {};
    }
    if (option == "--no-keep-aspect") {
        keepAspect = false;
        return {};
    }
    if (option == "--keep-folders") {
        options.output.keepFolderHierarchy = true;
        return {};
    }
    if (option == "--no-subfolders") {
        options.withSubfolders = false;
        return {};
    }
    if (option == "--quiet") {
        options.quiet = true;
        return {};
    }
    QString value;
    if (QString missing = take(option, value); !missing.isEmpty())
        return missing;
    if (option == "-o" || option == "--output") {
        options.output.ouptputFolder = QDir::cleanPath(QFileInfo(value).absoluteFilePath());
        return {};
    }
    if (option == "--width" || option == "--height") {
        const auto number = positiveNumber(value, 1e9);
        if (!number)
            return failure(option, "a positive number of pixels");
        (option == "--width" ? width : height) = *number;
        return {};
    }
    if (option == "--percent")
        return applyPercent(value);
    if (option == "--rotate") {
        if (!rotations().contains(value))
            return failure(option, "none, cw, ccw, 180 or auto");
        options.geometry.rotationType = rotations().value(value);
        return {};
    }
    if (option == "--flip") {
        if (value != "none" && value != "horizontal" && value != "vertical")
            return failure(option, "none, horizontal or vertical");
        options.geometry.isHorizontalFlip = value == "horizontal";
        options.geometry.isVerticalFlip = value == "vertical";
        return {};
    }
    if (option == "--format")
        return applyFormat(value);
    if (option == "--quality") {
        bool ok = false;
        const int quality = value.toInt(&ok);
        if (!ok || quality < 0 || quality > 100)
            return failure(option, "a whole number from 0 to 100");
        options.output.compressionRatio = quality;
        return {};
    }
    if (option == "--name")
        return applyName(value);
    if (option == "--on-conflict") {
        if (!conflictModes().contains(value))
            return failure(option, "keep, replace or skip");
        options.conflictMode = conflictModes().value(value);
        return {};
    }
    if (option == "--log") {
        const QString suffix = QFileInfo(value).suffix().toLower();
        if (suffix != "csv" && suffix != "json")
            return failure(option, "a file name ending in .csv or .json");
        options.logPath = value;
        return {};
    }
    return QStringLiteral("%1: unknown option (see --help)").arg(option);
}

QString Parser::applyPercent(const QString& value)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)(?:x([0-9]+(?:\\.[0-9]+)?))?$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const auto widthPercent =
        match.hasMatch() ? positiveNumber(match.captured(1), 1000) : std::nullopt;
    const auto heightPercent =
        match.hasMatch()
            ? positiveNumber(match.captured(2).isEmpty() ? match.captured(1) : match.captured(2),
                             1000)
            : std::nullopt;
    if (!widthPercent || !heightPercent)
        return failure("--percent", "P or PWxPH, each a percentage above 0 and at most 1000");
    options.geometry.sizeObject.perWidth = *widthPercent;
    options.geometry.sizeObject.perHeight = *heightPercent;
    percentGiven = true;
    return {};
}

QString Parser::applyFormat(const QString& value)
{
    if (value == "keep") {
        options.output.formatOption = 0;
        options.output.selectedFileFormat = 0;
        return {};
    }
    const int index = KnownFormats::extensions().indexOf(value);
    if (index < 0)
        return failure("--format", "keep, tif, tiff, png, jpg, jpeg, jp2, bmp or gif");
    options.output.formatOption = 1;
    options.output.selectedFileFormat = index;
    return {};
}

QString Parser::applyName(const QString& value)
{
    const QString text = value.section(':', 1);
    const QString kind = value.section(':', 0, 0);
    const bool takesText = kind == "prefix" || kind == "suffix";
    if ((kind != "original" && kind != "size" && !takesText) || (takesText && !value.contains(':')))
        return failure("--name", "original, size, prefix:TEXT or suffix:TEXT");
    if (takesText && Utils::validFileNameString(text) != text)
        return failure("--name", "a text without any of : ; , . / \\ ? % * | \" < >");
    options.output.filenameOption = kind == "original" ? 0
                                    : kind == "size"   ? 1
                                    : kind == "prefix" ? 2
                                                       : 3;
    options.output.prefixString = takesText ? text : QString();
    return {};
}

// The size record: a custom size when a width or height was given, a
// percentage when one was, the photo's own size otherwise.
QString Parser::applySize()
{
    SizeObject& size = options.geometry.sizeObject;
    if ((width > 0 || height > 0) && percentGiven)
        return QStringLiteral("--percent: cannot be combined with --width or --height");
    size.isKeepAspectRatio = keepAspect;
    if (percentGiven) {
        size.isPercentSize = true;
        return {};
    }
    if (width == 0 && height == 0) {
        if (!keepAspect)
            return QStringLiteral("--no-keep-aspect: needs --width and --height");
        size.isKeepOriginalSize = true;
        return {};
    }
    if (width == 0)
        return QStringLiteral(
            "--height: needs --width (with the aspect ratio kept the height follows it)");
    if (!keepAspect && height == 0)
        return QStringLiteral("--no-keep-aspect: needs --width and --height");
    size.isCustomSize = true;
    size.customWidth = width;
    size.customHeight = height;
    return {};
}

} // namespace

CliOptions::Parsed CliOptions::parse(const QStringList& arguments,
                                     const QString& defaultOutputFolder)
{
    CliOptions options;
    options.output.folderOption = 1;
    options.output.ouptputFolder = defaultOutputFolder;
    options.output.compressionRatio = 75;
    options.output.askBeforeOverwrite = true;
    Parser parser(arguments, options);
    Parsed parsed;
    parsed.error = parser.run();
    parsed.helpRequested = parser.helpRequested;
    if (parsed.error.isEmpty() && !parsed.helpRequested && options.paths.isEmpty())
        parsed.error = QStringLiteral("no photos or folders given (see --help)");
    if (parsed.error.isEmpty())
        parsed.options = options;
    return parsed;
}

QString CliOptions::usage()
{
    return QStringLiteral(
        "usage: framewright-cli [options] PATH...\n"
        "  -o, --output DIR        destination folder (default: the Pictures folder's Framewright "
        "folder)\n"
        "  --width N [--height N]  custom size; with the aspect ratio kept (default) the height "
        "follows the width\n"
        "  --percent P | PWxPH     percent size\n"
        "  --no-keep-aspect        use width and height as given\n"
        "  --rotate none|cw|ccw|180|auto\n"
        "  --flip none|horizontal|vertical\n"
        "  --format keep|tif|tiff|png|jpg|jpeg|jp2|bmp|gif\n"
        "  --quality 0..100        lossy quality when converting (default 75)\n"
        "  --name original|size|prefix:TEXT|suffix:TEXT\n"
        "  --keep-folders          rebuild the source folders below the destination\n"
        "  --no-subfolders         take folders without their sub-folders\n"
        "  --on-conflict keep|replace|skip   existing outputs (default keep: a collision-free "
        "name)\n"
        "  --log FILE              write the run log (.csv or .json by extension)\n"
        "  --quiet                 no progress line\n"
        "Exit status: 0 every photo written, 1 some photo failed, 2 bad usage or nothing to "
        "process.\n");
}

} // namespace fw
