#include "cli/CliOptions.h"
#include "support/TemporaryFolder.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace fw {
namespace {

// The long options a text names.
QSet<QString> optionsIn(QString text)
{
    // Troff's font changes and escaped hyphens, as a reader sees them.
    text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    text.replace("\\-", "-");
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
    for (const QRegularExpressionMatch& match : option.globalMatch(text))
        options << match.captured();
    return options;
}

QString resource(const QString& name)
{
    return QString::fromUtf8(
        test::readBytes(QStringLiteral(FRAMEWRIGHT_SOURCE_DIR "/resources/") + name));
}

// The man page and the shells' completions offer what --help lists, no more
// and no less, and the format values the program takes.
TEST(CliDocumentation, ManPageAndCompletionsKeepInStepWithHelp)
{
    const QSet<QString> help = optionsIn(CliOptions::usage());
    ASSERT_TRUE(help.contains("--shard"));
    EXPECT_EQ(optionsIn(resource("man/framewright-cli.1")), help);
    EXPECT_EQ(optionsIn(resource("completions/framewright-cli.bash")), help);
    EXPECT_EQ(optionsIn(resource("completions/_framewright-cli")), help);

    const QString formats = CliOptions::usage().section("--format ", 1).section('\n', 0, 0);
    const QString bashFormats = formats.split('|').join(' ');
    EXPECT_TRUE(resource("completions/framewright-cli.bash").contains(bashFormats));
    EXPECT_TRUE(resource("completions/_framewright-cli").contains(bashFormats));
    EXPECT_TRUE(resource("man/framewright-cli.1").contains("merge-logs"));
}

} // namespace
} // namespace fw
