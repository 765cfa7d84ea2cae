#include "core/LocalizedStrings.h"

#include "platform/PlistReader.h"
#include "support/TemporaryFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QVariantMap>
#include <QLoggingCategory>
#include <gtest/gtest.h>
#include <utility>

namespace fw {
namespace {

using Entries = QList<std::pair<QString, QString>>;

QByteArray plistWith(const Entries& entries)
{
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    for (const auto& [key, text] : entries)
        xml += "<key>" + key.toHtmlEscaped().toUtf8() + "</key><string>" +
               text.toHtmlEscaped().toUtf8() + "</string>\n";
    return xml + "</dict>\n</plist>\n";
}

// A table folder holding one table per language whose only text names the language.
class LanguageTables {
public:
    explicit LanguageTables(const QStringList& languageCodes)
    {
        for (const QString& code : languageCodes)
            folder.writeFile("BS_" + code + ".plist", plistWith({{"LANGUAGE", code}}));
    }
    QString languageFor(const QStringList& preferredLanguages) const
    {
        return LocalizedStrings(preferredLanguages, folder.path())
            .getLocalizedStringForKey("LANGUAGE");
    }

private:
    test::TemporaryFolder folder;
};

// Collects the warnings of the string lookup while it lives; every message still
// reaches the handler that was installed before.
class StringWarnings {
public:
    // Diagnostics are off unless asked for; this test asks.
    StringWarnings()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("framewright.strings.warning=true"));
        previous() = qInstallMessageHandler(&StringWarnings::collect);
    }
    ~StringWarnings()
    {
        qInstallMessageHandler(previous());
        QLoggingCategory::setFilterRules({});
    }
    static QStringList& messages()
    {
        static QStringList collected;
        return collected;
    }

private:
    static QtMessageHandler& previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && context.category != nullptr &&
            QByteArray(context.category) == "framewright.strings")
            messages().append(message);
        if (previous() != nullptr)
            previous()(type, context, message);
    }
};

const QStringList shippedLanguages{"en", "de", "fr"};

QVariantMap shippedTable(const QString& languageCode)
{
    const std::optional<QVariant> table =
        PlistReader::readFile(":/strings/BS_" + languageCode + ".plist").value;
    return table ? table->toMap() : QVariantMap();
}

qsizetype identifierStart(const QString& source, qsizetype at)
{
    while (at > 0 && (source[at - 1].isLetterOrNumber() || source[at - 1] == u'_'))
        --at;
    return at;
}

// The text between an opening quote at `at` and its closing quote, escapes kept
// as written; returns the position after the closing quote.
qsizetype readQuoted(const QString& source, qsizetype at, QChar quote, QString* text)
{
    qsizetype index = at + 1;
    while (index < source.size() && source[index] != quote && source[index] != u'\n')
        index += source[index] == u'\\' ? 2 : 1;
    if (text != nullptr)
        *text = source.mid(at + 1, index - at - 1);
    return index + 1;
}

qsizetype readRaw(const QString& source, qsizetype at, QString* text)
{
    const qsizetype open = source.indexOf(u'(', at);
    const QString closing = ")" + source.mid(at + 1, open - at - 1) + "\"";
    const qsizetype close = source.indexOf(closing, open);
    if (open < 0 || close < 0)
        return source.size();
    *text = source.mid(open + 1, close - open - 1);
    return close + closing.size();
}

qsizetype afterComment(const QString& source, qsizetype at)
{
    const bool isLineComment = source[at + 1] == u'/';
    const qsizetype end = source.indexOf(isLineComment ? "\n" : "*/", at + 2);
    return end < 0 ? source.size() : end + (isLineComment ? 1 : 2);
}

// The contents of the string literals of C++ source text. Comments and character
// literals are skipped, and so are digit separators (1'000), so that a quote
// inside them does not start a literal.
QStringList stringLiterals(const QString& source)
{
    static const QStringList rawPrefixes{"R", "LR", "uR", "UR", "u8R"};
    QStringList literals;
    qsizetype at = 0;
    while (at < source.size()) {
        const QChar character = source[at];
        const qsizetype prefixStart = identifierStart(source, at);
        const QString prefix = source.mid(prefixStart, at - prefixStart);
        if (character == u'/' && at + 1 < source.size() &&
            (source[at + 1] == u'/' || source[at + 1] == u'*')) {
            at = afterComment(source, at);
        } else if (character == u'"') {
            QString text;
            at = rawPrefixes.contains(prefix) ? readRaw(source, at, &text)
                                              : readQuoted(source, at, u'"', &text);
            literals.append(text);
        } else if (character == u'\'' && !(prefix.size() > 0 && prefix[0].isDigit())) {
            at = readQuoted(source, at, u'\'', nullptr);
        } else {
            ++at;
        }
    }
    return literals;
}

// Literals in the code that look like keys but name something else: the admission
// filter, the stored-presets user-defaults key, the table placeholders, the grid
// cell identifier, colour models, file extensions and byte-size units.
const QSet<QString> literalsThatAreNotKeys = {"ALL",
                                              "COMMIT",
                                              "ROLLBACK",
                                              "PROJECT_SESSION",
                                              "PROJECT_SESSION_UNREADABLE",
                                              "LAST_RUN_CHOICES",
                                              "DONOT_TRANSLATE_INTEGER_VALUE",
                                              "DONOT_TRANSLATE_STRING_VALUE",
                                              "CELL",
                                              "RGB",
                                              "CMYK",
                                              "EPS",
                                              "PICT",
                                              "PCT",
                                              "JPC",
                                              "P7",
                                              "PC",
                                              "PGM",
                                              "PNM",
                                              "PPM",
                                              "PTIF",
                                              "UI",
                                              "KB",
                                              "MB",
                                              "GB",
                                              "TB"};

// Every key-like literal of src/, with the first file that uses it. The platform
// adapters are left out: they hand back values and diagnostics, never interface
// text, and their literals name library things (formats, loaders, metadata groups).
QMap<QString, QString> keysUsedInCode()
{
    static const QRegularExpression keyShape("^[A-Z][A-Z0-9_]+$");
    const QString root = QStringLiteral(FRAMEWRIGHT_SOURCE_DIR) + "/";
    QMap<QString, QString> keys;
    QDirIterator files(root + "src", {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.startsWith(root + "src/platform/"))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            ADD_FAILURE() << "cannot read " << qPrintable(path);
        for (const QString& literal : stringLiterals(QString::fromUtf8(file.readAll())))
            if (keyShape.match(literal).hasMatch() && !literalsThatAreNotKeys.contains(literal) &&
                !keys.contains(literal))
                keys.insert(literal, path.mid(root.size()));
    }
    return keys;
}

TEST(LocalizedStringsTest, TurnsTablePlaceholdersIntoFormatDirectives)
{
    test::TemporaryFolder folder;
    folder.writeFile(
        "BS_en.plist",
        plistWith({{"PHOTOS_IN", "{0} photos in {1}"},
                   {"ALL_FIVE", "{0}-{1}-{2}-{3}-{4}"},
                   {"COUNT", "DONOT_TRANSLATE_INTEGER_VALUE photos"},
                   {"MIXED", "DONOT_TRANSLATE_STRING_VALUE has DONOT_TRANSLATE_INTEGER_VALUE"},
                   {"PLAIN", "Keep aspect ratio (100 %)"}}));
    LocalizedStrings strings({"en-US"}, folder.path());

    EXPECT_EQ(strings.getLocalizedStringForKey("PHOTOS_IN"), "%@ photos in %@");
    EXPECT_EQ(strings.getLocalizedStringForKey("ALL_FIVE"), "%@-%@-%@-%@-%@");
    EXPECT_EQ(strings.getLocalizedStringForKey("COUNT"), "%d photos");
    EXPECT_EQ(strings.getLocalizedStringForKey("MIXED"), "%@ has %d");
    EXPECT_EQ(strings.getLocalizedStringForKey("PLAIN"), "Keep aspect ratio (100 %)");
}

TEST(LocalizedStringsTest, ChoosesTheTableOfTheFirstPreferredLanguage)
{
    const LanguageTables tables({"en", "de", "fr"});

    EXPECT_EQ(tables.languageFor({"en-GB"}), "en");
    EXPECT_EQ(tables.languageFor({"fr-CA", "de"}), "fr");
    EXPECT_EQ(tables.languageFor({"de"}), "de");
    EXPECT_EQ(tables.languageFor({"de_AT"}), "de");
    EXPECT_EQ(tables.languageFor({"pt-BR", "fr"}), "en") << "only the first language counts";
    EXPECT_EQ(tables.languageFor({"zh-Hans-CN"}), "en");
    EXPECT_EQ(tables.languageFor({"C"}), "en");
    EXPECT_EQ(tables.languageFor({}), "en");
}

TEST(LocalizedStringsTest, FallsBackToEnglishWhenTheLanguageTableIsUnreadable)
{
    test::TemporaryFolder folder;
    folder.writeFile("BS_en.plist", plistWith({{"LANGUAGE", "en"}}));
    folder.writeFile("BS_fr.plist", "<plist version=\"1.0\"><array/></plist>");
    folder.writeFile("BS_de.plist", "not a property list");

    EXPECT_EQ(LocalizedStrings({"fr"}, folder.path()).getLocalizedStringForKey("LANGUAGE"), "en");
    EXPECT_EQ(LocalizedStrings({"de"}, folder.path()).getLocalizedStringForKey("LANGUAGE"), "en");
}

TEST(LocalizedStringsTest, UnknownKeysComeBackAsThemselvesAndAreLoggedOnce)
{
    test::TemporaryFolder folder;
    folder.writeFile("BS_en.plist", plistWith({{"KNOWN", "Known"}}));
    LocalizedStrings strings({"en"}, folder.path());
    StringWarnings warnings;
    StringWarnings::messages().clear();

    for (int lookup = 0; lookup < 3; ++lookup)
        EXPECT_EQ(strings.getLocalizedStringForKey("NOT_IN_TABLE"), "NOT_IN_TABLE");
    EXPECT_EQ(strings.getLocalizedStringForKey("KNOWN"), "Known");

    ASSERT_EQ(StringWarnings::messages().size(), 1);
    EXPECT_TRUE(StringWarnings::messages().first().contains("NOT_IN_TABLE"));

    test::TemporaryFolder emptyFolder;
    LocalizedStrings withoutTable({"en"}, emptyFolder.path());
    EXPECT_EQ(withoutTable.getLocalizedStringForKey("CLOSE"), "CLOSE");
    EXPECT_EQ(withoutTable.getLocalizedStringForKey("{0} photos"), "{0} photos");
}

TEST(LocalizedStringsTest, ShippedTablesHaveTheSameKeysAndUsableTexts)
{
    const QVariantMap english = shippedTable("en");
    ASSERT_GT(english.size(), 100) << "the English table is not among the resources";
    const QStringList keys = english.keys();
    LocalizedStrings englishStrings({"en-US"});
    EXPECT_EQ(LocalizedStrings({"de-DE"}).getLocalizedStringForKey("CLOSE"),
              shippedTable("de").value("CLOSE").toString());

    for (const QString& language : shippedLanguages) {
        SCOPED_TRACE(language.toStdString());
        const QVariantMap table = shippedTable(language);
        EXPECT_EQ(table.keys(), keys);
        LocalizedStrings strings({language});
        for (const QString& key : keys) {
            const QString text = table.value(key).toString();
            const QString format = strings.getLocalizedStringForKey(key);
            const QString englishFormat = englishStrings.getLocalizedStringForKey(key);
            EXPECT_FALSE(text.trimmed().isEmpty()) << qPrintable(key) << " has no text";
            EXPECT_EQ(format.count("%@"), englishFormat.count("%@")) << qPrintable(key);
            EXPECT_EQ(format.count("%d"), englishFormat.count("%d")) << qPrintable(key);
            // Duration parts are joined with nothing between them, so the hour and
            // minute texts carry the space; no other text may have edge blanks.
            const bool joinsTheNextPart = key == "HOURS" || key == "MINUTES";
            EXPECT_EQ(text.endsWith(u' '), joinsTheNextPart) << qPrintable(key);
            EXPECT_EQ(text.trimmed(), joinsTheNextPart ? text.chopped(1) : text) << qPrintable(key);
        }
    }
}

TEST(LocalizedStringsTest, CodeScanFindsLiteralsButNotCommentsOrCharacters)
{
    const QString source = QString::fromUtf8(R"cpp(
        #include "app/Example.h"
        // "IN_LINE_COMMENT" with 'an apostrophe
        /* "IN_BLOCK_COMMENT" */
        const char quote = '"';
        const int million = 1'000'000;
        const auto first = tr("FIRST");
        const auto second = QStringLiteral("SECOND \" still");
        const auto third = R"x(RAW " text)x";
    )cpp");

    EXPECT_EQ(stringLiterals(source),
              QStringList({"app/Example.h", "FIRST", R"(SECOND \" still)", R"(RAW " text)"}));
}

TEST(LocalizedStringsTest, EveryKeyUsedInTheCodeIsInEveryTable)
{
    const QMap<QString, QString> keysInCode = keysUsedInCode();
    QMap<QString, QVariantMap> tables;
    for (const QString& language : shippedLanguages)
        tables.insert(language, shippedTable(language));

    QStringList missing;
    for (auto key = keysInCode.cbegin(); key != keysInCode.cend(); ++key) {
        QStringList lackingTables;
        for (auto table = tables.cbegin(); table != tables.cend(); ++table)
            if (!table.value().contains(key.key()))
                lackingTables.append("BS_" + table.key() + ".plist");
        if (!lackingTables.isEmpty())
            missing.append(key.key() + " (used in " + key.value() + ") is missing from " +
                           lackingTables.join(", "));
    }
    EXPECT_TRUE(missing.isEmpty())
        << "keys used in the code but missing from the string tables in resources/:\n  "
        << qPrintable(missing.join("\n  "))
        << "\nAdd each to all three tables, or, if the literal is not a localization key, "
           "to literalsThatAreNotKeys in this test.";
}

} // namespace
} // namespace fw
