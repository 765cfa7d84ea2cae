#include "core/LocalizedStrings.h"

#include "platform/PlistReader.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QVariantMap>
#include <utility>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logStrings, "framewright.strings", QtCriticalMsg)

// English is the table every build carries, so it stands in for a language
// without a table and for a system that names no language at all.
QString fallbackLanguageCode()
{
    return QStringLiteral("en");
}

} // namespace

LocalizedStrings::LocalizedStrings(QStringList preferredLanguages, QString resourceFolder)
    : preferredLanguages(std::move(preferredLanguages)), resourceFolder(std::move(resourceFolder))
{
}

QString LocalizedStrings::getLocalizedStringForKey(const QString& key)
{
    QMutexLocker locker(&mutex);
    loadLanguageDictLocked();
    const auto text = dictLanguageTokens->constFind(key);
    if (text == dictLanguageTokens->cend()) {
        if (!reportedMissingKeys.contains(key)) {
            reportedMissingKeys.insert(key);
            qCWarning(logStrings) << "the string table has no text for" << key;
        }
        return key;
    }
    QString format = replaceOccuranceOfSpecialCharacter(*text);
    format.replace(QStringLiteral("DONOT_TRANSLATE_INTEGER_VALUE"), QStringLiteral("%d"));
    format.replace(QStringLiteral("DONOT_TRANSLATE_STRING_VALUE"), QStringLiteral("%@"));
    return format;
}

void LocalizedStrings::loadLanguageDict()
{
    QMutexLocker locker(&mutex);
    loadLanguageDictLocked();
}

QString LocalizedStrings::languageCode()
{
    QMutexLocker locker(&mutex);
    loadLanguageDictLocked();
    return tableLanguage;
}

QSet<QString> LocalizedStrings::textsInEveryLanguage(const QString& key,
                                                     const QString& resourceFolder)
{
    QSet<QString> texts;
    const QStringList tables = QDir(resourceFolder).entryList({QStringLiteral("BS_*.plist")});
    for (const QString& table : tables) {
        const QString code = table.mid(3).chopped(6);
        texts.insert(LocalizedStrings({code}, resourceFolder).getLocalizedStringForKey(key));
    }
    return texts;
}

void LocalizedStrings::loadLanguageDictLocked()
{
    if (dictLanguageTokens)
        return;
    QStringList codes{preferredLanguageCode(preferredLanguages), fallbackLanguageCode()};
    codes.removeDuplicates();
    for (const QString& code : std::as_const(codes)) {
        const QString path = tablePathForLanguage(code);
        if (!QFileInfo::exists(path))
            continue;
        dictLanguageTokens = readTable(path);
        if (dictLanguageTokens) {
            tableLanguage = code;
            return;
        }
    }
    qCWarning(logStrings) << "no string table could be read from" << resourceFolder
                          << "for the languages" << codes << "- texts show their keys";
    dictLanguageTokens.emplace();
}

QString LocalizedStrings::tablePathForLanguage(const QString& languageCode) const
{
    return QStringLiteral("%1/BS_%2.plist").arg(resourceFolder, languageCode);
}

std::optional<QHash<QString, QString>> LocalizedStrings::readTable(const QString& path) const
{
    const std::optional<QVariant> root = PlistReader::readFile(path).value;
    if (!root)
        return std::nullopt;
    if (root->typeId() != QMetaType::QVariantMap) {
        qCWarning(logStrings) << "the string table is not a dictionary:" << path;
        return std::nullopt;
    }
    QHash<QString, QString> table;
    const QVariantMap entries = root->toMap();
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        if (entry.value().typeId() == QMetaType::QString)
            table.insert(entry.key(), entry.value().toString());
        else
            qCWarning(logStrings) << "ignoring the entry" << entry.key() << "of" << path
                                  << "because it is not a text";
    }
    return table;
}

// The system names languages as "fr-CA", "zh-Hans" or, in Qt's older form,
// "en_US"; the tables are per language only. The "C" locale names none.
QString LocalizedStrings::preferredLanguageCode(const QStringList& languages)
{
    const QString code = languages.value(0).section(u'-', 0, 0).section(u'_', 0, 0);
    if (code.isEmpty() || code == QStringLiteral("C"))
        return fallbackLanguageCode();
    return code;
}

QString LocalizedStrings::replaceOccuranceOfSpecialCharacter(QString text)
{
    for (int index = 0; index <= 4; ++index)
        text.replace(QStringLiteral("{%1}").arg(index), QStringLiteral("%@"));
    return text;
}

} // namespace fw
