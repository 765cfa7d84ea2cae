#pragma once

#include <QHash>
#include <QLocale>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace fw {

// The string table of the user's language ("BS_<code>.plist") and the lookup
// that turns a table text into a format for the caller to fill.
//
// The table is read at the first lookup and kept for the object's life, so a
// change of the system language takes effect at the next launch. A key the
// table lacks comes back as the key itself, which keeps the interface usable
// and makes the gap visible; it is logged once per key. Any thread may look up
// a text.
// (replaceOccuranceOfSpecialCharacter is the design's name, kept on purpose.)
class LocalizedStrings {
public:
    explicit LocalizedStrings(QStringList preferredLanguages = QLocale::system().uiLanguages(),
                              QString resourceFolder = QStringLiteral(":/strings"));

    // The table text for the key with "{0}".."{4}" and
    // "DONOT_TRANSLATE_STRING_VALUE" as "%@" and "DONOT_TRANSLATE_INTEGER_VALUE"
    // as "%d".
    QString getLocalizedStringForKey(const QString& key);

    // The key's text in every table in the folder, for reading what a run in
    // another language wrote (the outcomes in a run log).
    static QSet<QString>
    textsInEveryLanguage(const QString& key,
                         const QString& resourceFolder = QStringLiteral(":/strings"));

    // Reads the table unless it is read already; a table that cannot be read
    // is logged and left empty, so every lookup then gives its key.
    void loadLanguageDict();
    // The language of the table in use ("en", "de", ...), so the toolkit's
    // own texts can follow it.
    QString languageCode();

private:
    void loadLanguageDictLocked();
    QString tablePathForLanguage(const QString& languageCode) const;
    std::optional<QHash<QString, QString>> readTable(const QString& path) const;
    static QString preferredLanguageCode(const QStringList& languages);
    static QString replaceOccuranceOfSpecialCharacter(QString text);

    const QStringList preferredLanguages;
    const QString resourceFolder;
    QMutex mutex;
    std::optional<QHash<QString, QString>> dictLanguageTokens;
    QString tableLanguage = QStringLiteral("en");
    QSet<QString> reportedMissingKeys;
};

} // namespace fw
