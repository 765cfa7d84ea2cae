#include "support/TemporaryFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace fw {
namespace {

// Headers of the libraries that only platform/ may see.
const QStringList libraryHeaders = {"vips/",  "exiv2/",    "libraw/", "openjpeg",
                                    "plist/", "sqlite3.h", "glib",    "Magick"};

// The folder of a source file below src/ ("batch" for batch/Batch.cpp, and
// "batch/widgets" kept apart from "batch").
QString folderOf(const QString& relativePath)
{
    const QStringList parts = relativePath.split('/');
    return parts.size() > 2 && parts.at(1) == "widgets" ? parts.at(0) + "/widgets" : parts.at(0);
}

struct Layering {
    // Folder -> the folders its files include.
    QMap<QString, QSet<QString>> includes;
    QStringList libraryIncludesOutsidePlatform;
    // Engine files (outside every widgets/ folder and the program's main)
    // that include a widget.
    QStringList widgetIncludesInEngine;
    // Includes that reach out of their own folder by "..".
    QStringList climbingIncludes;
};

bool isWidgetSide(const QString& folder)
{
    return folder.endsWith("/widgets") || folder == "framewright";
}

Layering layeringOf(const QString& sourceRoot)
{
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s*[\"<]([^\">]+)[\">]"),
        QRegularExpression::MultilineOption);
    Layering layering;
    QDirIterator files(sourceRoot, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = path.mid(sourceRoot.size() + 1);
        const QString folder = folderOf(relative);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto matches = include.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            if (target.contains('/') && QFile::exists(sourceRoot + '/' + target))
                layering.includes[folder].insert(folderOf(target));
            const bool library =
                std::any_of(libraryHeaders.cbegin(), libraryHeaders.cend(),
                            [&](const QString& prefix) { return target.startsWith(prefix); });
            if (library && folder != "platform")
                layering.libraryIncludesOutsidePlatform << relative + " includes " + target;
            if (target.contains("widgets/") && !isWidgetSide(folder))
                layering.widgetIncludesInEngine << relative + " includes " + target;
            if (target.startsWith("../") || target.contains("/../"))
                layering.climbingIncludes << relative + " includes " + target;
        }
    }
    return layering;
}

// A folder that reaches itself through the include graph, as "a -> b -> a".
QStringList loopsOf(const QMap<QString, QSet<QString>>& includes)
{
    QStringList loops;
    for (auto start = includes.cbegin(); start != includes.cend(); ++start) {
        QList<QStringList> paths = {{start.key()}};
        QSet<QString> seen;
        while (!paths.isEmpty()) {
            const QStringList path = paths.takeFirst();
            for (const QString& next : includes.value(path.last())) {
                if (next == path.last())
                    continue;
                if (next == start.key())
                    loops << (path + QStringList{next}).join(" -> ");
                else if (!seen.contains(next)) {
                    seen.insert(next);
                    paths.append(path + QStringList{next});
                }
            }
        }
    }
    return loops;
}

TEST(Layering, FoldersIncludeEachOtherOneWayAndOnlyPlatformSeesTheLibraries)
{
    const Layering layering = layeringOf(QStringLiteral(FRAMEWRIGHT_SOURCE_DIR) + "/src");
    EXPECT_TRUE(loopsOf(layering.includes).isEmpty())
        << qPrintable(loopsOf(layering.includes).join('\n'));
    EXPECT_TRUE(layering.libraryIncludesOutsidePlatform.isEmpty())
        << qPrintable(layering.libraryIncludesOutsidePlatform.join('\n'));
    EXPECT_TRUE(layering.widgetIncludesInEngine.isEmpty())
        << qPrintable(layering.widgetIncludesInEngine.join('\n'));
    EXPECT_TRUE(layering.climbingIncludes.isEmpty())
        << qPrintable(layering.climbingIncludes.join('\n'));
    EXPECT_EQ(layering.includes.value("platform"), QSet<QString>({"platform"}));
    EXPECT_TRUE(layering.includes.value("core").subtract({"core", "platform"}).isEmpty());
}

TEST(Layering, PlantedUpwardWidgetLibraryAndClimbingIncludesAreFound)
{
    test::TemporaryFolder tree;
    tree.writeFile("src/core/Low.h", "#include \"platform/Base.h\"\n");
    tree.writeFile("src/platform/Base.h", "#include <vips/vips8>\n");
    tree.writeFile("src/batch/High.h", "#include \"core/Low.h\"\n");
    const QString root = tree.filePath("src");
    EXPECT_TRUE(loopsOf(layeringOf(root).includes).isEmpty());
    EXPECT_TRUE(layeringOf(root).libraryIncludesOutsidePlatform.isEmpty());

    tree.writeFile("src/core/Low.cpp", "#include \"batch/High.h\"\n#include <exiv2/exiv2.hpp>\n");
    const Layering planted = layeringOf(root);
    EXPECT_EQ(loopsOf(planted.includes).size(), 2);
    EXPECT_EQ(planted.libraryIncludesOutsidePlatform,
              QStringList({"core/Low.cpp includes exiv2/exiv2.hpp"}));

    tree.writeFile("src/batch/widgets/Screen.h", "#include \"batch/High.h\"\n");
    tree.writeFile("src/batch/Rules.cpp", "#include \"batch/widgets/Screen.h\"\n");
    tree.writeFile("src/log/Log.cpp", "#include \"../core/Low.h\"\n");
    const Layering crossed = layeringOf(root);
    EXPECT_EQ(crossed.widgetIncludesInEngine,
              QStringList({"batch/Rules.cpp includes batch/widgets/Screen.h"}));
    EXPECT_EQ(crossed.climbingIncludes, QStringList({"log/Log.cpp includes ../core/Low.h"}));
}

} // namespace
} // namespace fw
