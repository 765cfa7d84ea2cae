#include "cli/CliOptions.h"

#include "core/Codes.h"
#include "core/Utils.h"
#include "processing/ImageFilter.h"
#include "processing/KnownFormats.h"
#include "processing/NameTemplate.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace fw {

namespace {

// More photos at once than this only adds memory.
constexpr int maximumJobs = 64;

// The values an option takes, by name, in the order its error lists them.
using Choices = QList<std::pair<QString, int>>;

const Choices& rotations()
{
    static const Choices names = {{"none", RotationType::None},
                                  {"cw", RotationType::QuarterClockwise},
                                  {"ccw", RotationType::QuarterCounterClockwise},
                                  {"180", RotationType::HalfTurn},
                                  {"auto", RotationType::UprightByTag}};
    return names;
}

const Choices& flips()
{
    static const Choices names = {{"none", FlipOption::None},
                                  {"horizontal", FlipOption::Horizontal},
                                  {"vertical", FlipOption::Vertical}};
    return names;
}

const Choices& metadataChoices()
{
    static const Choices names = {{"keep", MetadataOption::KeepAll},
                                  {"no-location", MetadataOption::WithoutLocation},
                                  {"none", MetadataOption::PictureOnly}};
    return names;
}

const Choices& conflictModes()
{
    static const Choices names = {{"keep", ProcessFlag::KeepAll},
                                  {"replace", ProcessFlag::ReplaceAll},
                                  {"skip", ProcessFlag::SkipAll}};
    return names;
}

// "keep" or an index into the known-format list.
const Choices& formats()
{
    static const Choices names = [] {
        Choices choices = {{"keep", -1}};
        for (const QString& extension : KnownFormats::extensions())
            choices.append({extension, KnownFormats::indexOfExtension(extension)});
        return choices;
    }();
    return names;
}

// "a, b or c"
QString listed(const Choices& choices)
{
    QStringList names;
    for (const auto& choice : choices)
        names << choice.first;
    const QString last = names.takeLast();
    return names.join(", ") + " or " + last;
}

std::optional<int> chosen(const Choices& choices, const QString& value)
{
    for (const auto& [name, number] : choices) {
        if (name == value)
            return number;
    }
    return std::nullopt;
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
    bool versionRequested = false;

private:
    QString take(const QString& option, QString& value);
    bool applySwitch(const QString& option);
    QString apply(const QString& option);
    QString applyChoice(const QString& option, const QString& value);
    QString applySize();
    QString applyPercent(const QString& value);
    QString choose(const QString& option, const QString& value, const Choices& choices,
                   int& target);
    QString applyFlip(const QString& value);
    QString applyFormat(const QString& value);
    QString applyName(const QString& value);
    QString applyTemplate(const QString& pattern);
    QString applyFit(const QString& value);
    QString applyEdge(const QString& option, const QString& value);
    QString applyNumber(const QString& option, const QString& value);
    QString chooseMode(const QString& option);
    QString applyModeSize();
    QString checkCombinations() const;

    const QStringList& arguments;
    CliOptions& options;
    qsizetype position = 0;
    // 0 until given: a size is always above 0.
    double width = 0;
    double height = 0;
    bool keepAspect = true;
    bool percentGiven = false;
    // The fit and edge sizes, by the option that chose one.
    QString modeOption;
    std::optional<bool> noEnlarge;
    bool losslessGiven = false;
    bool counterStartGiven = false;
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
            if (helpRequested || versionRequested)
                return {};
            continue;
        }
        // Absolute, so the log and rebuilt folders name where a photo came
        // from; links are kept as given.
        options.paths << QFileInfo(argument).absoluteFilePath();
    }
    if (QString error = checkCombinations(); !error.isEmpty())
        return error;
    options.output.isLossless = losslessGiven;
    return modeOption.isEmpty() ? applySize() : applyModeSize();
}

QString Parser::take(const QString& option, QString& value)
{
    if (position >= arguments.size())
        return QStringLiteral("%1: a value is missing").arg(option);
    value = arguments.at(position++);
    return {};
}

// Options that take no value; each sets one switch.
bool Parser::applySwitch(const QString& option)
{
    const QList<std::pair<QStringList, bool*>> switches = {
        {{"-h", "--help"}, &helpRequested},
        {{"--version"}, &versionRequested},
        {{"--keep-folders"}, &options.output.keepFolderHierarchy},
        {{"--quiet"}, &options.quiet},
        {{"--verbose"}, &options.verbose},
        {{"--dry-run"}, &options.dryRun},
        {{"--lossless"}, &losslessGiven},
    };
    for (const auto& [names, flag] : switches) {
        if (names.contains(option)) {
            *flag = true;
            return true;
        }
    }
    if (option == "--no-keep-aspect")
        keepAspect = false;
    else if (option == "--no-enlarge" || option == "--enlarge")
        noEnlarge = option == "--no-enlarge";
    else if (option == "--no-subfolders")
        options.withSubfolders = false;
    else
        return false;
    return true;
}

QString Parser::apply(const QString& option)
{
    static const QStringList optionsWithValue = {
        "-o",     "--output", "--width",     "--height",     "--percent",     "--rotate",
        "--flip", "--format", "--quality",   "--name",       "--on-conflict", "--log",
        "--jobs", "--fit",    "--long-edge", "--short-edge", "--metadata",    "--counter-start",
        "--shard"};
    if (applySwitch(option))
        return {};
    if (!optionsWithValue.contains(option))
        return QStringLiteral("%1: unknown option (see --help)").arg(option);
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
    if (option == "--fit")
        return applyFit(value);
    if (option == "--long-edge" || option == "--short-edge")
        return applyEdge(option, value);
    if (option == "--quality") {
        bool ok = false;
        const int quality = value.toInt(&ok);
        if (!ok || quality < 0 || quality > 100)
            return failure(option, "a whole number from 0 to 100");
        options.output.compressionRatio = quality;
        return {};
    }
    if (option == "--jobs" || option == "--counter-start")
        return applyNumber(option, value);
    if (option == "--shard") {
        options.shard = BatchShard::parse(value);
        return options.shard ? QString() : failure(option, "K/N, whole numbers with 1 <= K <= N");
    }
    if (option == "--log") {
        const QString suffix = QFileInfo(value).suffix().toLower();
        if (suffix != "csv" && suffix != "json")
            return failure(option, "a file name ending in .csv or .json");
        options.logPath = value;
        return {};
    }
    return applyChoice(option, value);
}

QString Parser::applyChoice(const QString& option, const QString& value)
{
    if (option == "--rotate")
        return choose(option, value, rotations(), options.geometry.rotationType);
    if (option == "--flip")
        return applyFlip(value);
    if (option == "--format")
        return applyFormat(value);
    if (option == "--name")
        return applyName(value);
    if (option == "--metadata")
        return choose(option, value, metadataChoices(), options.output.metadataOption);
    return choose(option, value, conflictModes(), options.conflictMode);
}

QString Parser::applyNumber(const QString& option, const QString& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (option == "--counter-start") {
        if (!ok || number < 0 || number > NameTemplate::largestCounterStart)
            return failure(option, QStringLiteral("a whole number from 0 to %1")
                                       .arg(NameTemplate::largestCounterStart));
        options.output.counterStart = number;
        counterStartGiven = true;
        return {};
    }
    if (!ok || number < 1 || number > maximumJobs)
        return failure(option, QStringLiteral("a whole number from 1 to %1").arg(maximumJobs));
    options.jobs = number;
    return {};
}

QString Parser::chooseMode(const QString& option)
{
    if (!modeOption.isEmpty() && modeOption != option)
        return QStringLiteral("%1: cannot be combined with %2").arg(option, modeOption);
    modeOption = option;
    return {};
}

QString Parser::applyFit(const QString& value)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]+)x([0-9]+)$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const auto fitWidth = match.hasMatch()
                              ? positiveNumber(match.captured(1), ImageFilter::maximumSide)
                              : std::nullopt;
    const auto fitHeight = match.hasMatch()
                               ? positiveNumber(match.captured(2), ImageFilter::maximumSide)
                               : std::nullopt;
    if (!fitWidth || !fitHeight)
        return failure("--fit", "WxH, each a whole number of pixels from 1 to 10000");
    SizeObject& size = options.geometry.sizeObject;
    size.sizeMode = SizeMode::FitInside;
    size.customWidth = *fitWidth;
    size.customHeight = *fitHeight;
    return chooseMode("--fit");
}

QString Parser::applyEdge(const QString& option, const QString& value)
{
    bool ok = false;
    const int length = value.toInt(&ok);
    if (!ok || length < 1 || length > ImageFilter::maximumSide)
        return failure(option, "a whole number of pixels from 1 to 10000");
    SizeObject& size = options.geometry.sizeObject;
    size.sizeMode = option == "--long-edge" ? SizeMode::LongEdge : SizeMode::ShortEdge;
    size.edgeLength = length;
    return chooseMode(option);
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

QString Parser::choose(const QString& option, const QString& value, const Choices& choices,
                       int& target)
{
    const std::optional<int> number = chosen(choices, value);
    if (!number)
        return failure(option, listed(choices));
    target = *number;
    return {};
}

QString Parser::applyFlip(const QString& value)
{
    int flip = 0;
    if (QString error = choose("--flip", value, flips(), flip); !error.isEmpty())
        return error;
    options.geometry.isHorizontalFlip = flip == FlipOption::Horizontal;
    options.geometry.isVerticalFlip = flip == FlipOption::Vertical;
    return {};
}

QString Parser::applyFormat(const QString& value)
{
    int format = 0;
    if (QString error = choose("--format", value, formats(), format); !error.isEmpty())
        return error;
    options.output.formatOption = format < 0 ? FormatOption::KeepFormat : FormatOption::Convert;
    options.output.selectedFileFormat = std::max(format, 0);
    return {};
}

QString Parser::applyName(const QString& value)
{
    const QString text = value.section(':', 1);
    const QString kind = value.section(':', 0, 0);
    if (kind == "template" && value.contains(':'))
        return applyTemplate(text);
    const bool takesText = kind == "prefix" || kind == "suffix";
    if ((kind != "original" && kind != "size" && !takesText) || (takesText && !value.contains(':')))
        return failure("--name", "original, size, prefix:TEXT, suffix:TEXT or template:PATTERN");
    if (takesText && Utils::validFileNameString(text) != text)
        return failure("--name", "a text without any of : ; , . / \\ ? % * | \" < >");
    options.output.filenameOption = kind == "original" ? FileNameOption::SourceName
                                    : kind == "size"   ? FileNameOption::WithPixelSize
                                    : kind == "prefix" ? FileNameOption::Prefix
                                                       : FileNameOption::Suffix;
    options.output.prefixString = takesText ? text : QString();
    return {};
}

QString Parser::applyTemplate(const QString& pattern)
{
    const NameTemplate nameTemplate(pattern);
    if (const std::optional<QString> unknown = nameTemplate.unknownToken())
        return QStringLiteral("--name: unknown token %1 (known: {name}, {n}, {n:3}, {date}, "
                              "{w}, {h}, {ext})")
            .arg(*unknown);
    if (nameTemplate.isEmpty())
        return failure("--name", "a template that gives a name");
    options.output.filenameOption = FileNameOption::Template;
    options.output.nameTemplate = pattern;
    options.output.prefixString.clear();
    return {};
}

QString Parser::checkCombinations() const
{
    const QStringList classicOptions = {width > 0 ? "--width" : "", height > 0 ? "--height" : "",
                                        percentGiven ? "--percent" : ""};
    for (const QString& classic : classicOptions) {
        if (!modeOption.isEmpty() && !classic.isEmpty())
            return QStringLiteral("%1: cannot be combined with %2").arg(modeOption, classic);
    }
    if (!modeOption.isEmpty() && !keepAspect)
        return QStringLiteral("--no-keep-aspect: cannot be combined with %1").arg(modeOption);
    const bool losslessOffered = options.output.formatOption == FormatOption::Convert &&
                                 KnownFormats::offersLossless(options.output.selectedFileFormat);
    if (losslessGiven && !losslessOffered)
        return QStringLiteral("--lossless: needs --format webp or --format jxl");
    if (counterStartGiven && options.output.filenameOption != FileNameOption::Template)
        return QStringLiteral("--counter-start: needs --name template:PATTERN");
    return {};
}

// Fit and edge sizes keep the aspect ratio and, unless --enlarge is given,
// never make a photo larger.
QString Parser::applyModeSize()
{
    SizeObject& size = options.geometry.sizeObject;
    size.isKeepAspectRatio = true;
    size.isNoEnlarge = noEnlarge.value_or(true);
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
    size.isNoEnlarge = noEnlarge.value_or(false);
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
    options.output.folderOption = FolderOption::IntoFolder;
    options.output.ouptputFolder = defaultOutputFolder;
    options.output.askBeforeOverwrite = true;
    options.conflictMode = ProcessFlag::KeepAll;
    Parser parser(arguments, options);
    Parsed parsed;
    parsed.error = parser.run();
    parsed.helpRequested = parser.helpRequested;
    parsed.versionRequested = parser.versionRequested;
    if (parsed.error.isEmpty() && !parsed.helpRequested && !parsed.versionRequested &&
        options.paths.isEmpty())
        parsed.error = QStringLiteral("no photos or folders given (see --help)");
    if (parsed.error.isEmpty())
        parsed.options = options;
    return parsed;
}

QString CliOptions::usage()
{
    return QStringLiteral(
        "usage: framewright-cli [options] PATH...\n"
        "       framewright-cli merge-logs OUT IN...\n"
        "Resizes, turns and converts photos. A PATH is a photo, a folder (walked with its\n"
        "sub-folders) or a photo-library package (.photoslibrary, .photolibrary,\n"
        ".aplibrary), which is read without being changed.\n"
        "Reads JPEG, PNG, TIFF, GIF, BMP, WebP, HEIF, AVIF, JPEG XL, JPEG 2000, PNM, PICT, EPS,\n"
        "XV thumbnails and camera raw files; writes tif, tiff, png, jpg, jpeg, jp2, bmp, gif,\n"
        "webp, avif, heic and jxl.\n"
        "\n"
        "  -o, --output DIR        destination folder (default: the Pictures folder's Framewright "
        "folder)\n"
        "Size (one of these; default: each photo's own size):\n"
        "  --width N [--height N]  custom size; with the aspect ratio kept (default) the height "
        "follows the width\n"
        "  --percent P | PWxPH     percent size\n"
        "  --no-keep-aspect        use width and height as given\n"
        "  --fit WxH               fit inside W x H, the aspect ratio kept\n"
        "  --long-edge N           the longer edge N pixels, the aspect ratio kept\n"
        "  --short-edge N          the shorter edge N pixels, the aspect ratio kept\n"
        "  --no-enlarge, --enlarge a photo smaller than the size keeps its own size, or is "
        "enlarged\n"
        "                          (default: --no-enlarge for --fit and the edges, --enlarge "
        "otherwise)\n"
        "Turning and format:\n"
        "  --rotate none|cw|ccw|180|auto\n"
        "                          none keeps each photo's orientation tag; auto turns the pixels "
        "upright\n"
        "  --flip none|horizontal|vertical\n"
        "  --format keep|tif|tiff|png|jpg|jpeg|jp2|bmp|gif|webp|avif|heic|jxl\n"
        "                          keep writes each photo's own format (camera raw and formats "
        "not written: png)\n"
        "  --quality 0..100        lossy quality when converting to jpg, jpeg, jp2, webp, avif, "
        "heic or jxl (default 75)\n"
        "  --lossless              webp or jxl without loss\n"
        "  --metadata keep|no-location|none\n"
        "                          keep all (default), all but the GPS position, or only the "
        "colour profile\n"
        "Names and folders:\n"
        "  --name original|size|prefix:TEXT|suffix:TEXT|template:PATTERN\n"
        "                          PATTERN tokens: {name} source name, {n} number ({n:3} three "
        "digits),\n"
        "                          {date} taken (YYYY-MM-DD), {w} {h} output size, {ext} source "
        "extension\n"
        "  --counter-start N       the first {n} (default 1)\n"
        "  --keep-folders          rebuild the source folders below the destination\n"
        "  --no-subfolders         take folders without their sub-folders\n"
        "  --on-conflict keep|replace|skip   existing outputs (default keep: a collision-free "
        "name)\n"
        "Run:\n"
        "  --jobs N                photos written at once (default: one per core,\n"
        "                          at most one per GiB of memory)\n"
        "  --log FILE              write the run log (.csv or .json by extension)\n"
        "  --dry-run               show what the run would write, writing nothing\n"
        "  --shard K/N             take only part K of N of the photos (split by their paths),\n"
        "                          so N processes given the same paths share the job\n"
        "  --quiet                 no progress line\n"
        "  --verbose               diagnostics of the decoders and the run\n"
        "  -h, --help              these options\n"
        "  --version               the version\n"
        "Exit status: 0 every photo found was written or skipped as asked, 1 some photo failed\n"
        "or could not be read (files that are not photos are only listed), 2 bad usage or no\n"
        "photo found, 128 + N when stopped by signal N.\n"
        "\n"
        "merge-logs OUT IN... merges the run logs (.csv or .json) of the parts of one job into\n"
        "OUT, in the order of their sources, and prints one summary; a damaged log, or a photo\n"
        "in two logs, is named and nothing is written.\n");
}

} // namespace fw
