#include "log/RunLogReader.h"

#include "log/RunLogWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <optional>

namespace fw {

namespace {

// Far above the log of a million photos; a larger file is no log of ours.
constexpr qint64 largestLog = qint64(1) << 30;

RunLogReader::Read refused(const QString& why)
{
    return {{}, why};
}

// RFC 4180 rows as the writer ends them, with CR LF; a quoted field may hold
// separators, quotes (doubled) and line ends.
class CsvRows {
public:
    explicit CsvRows(const QString& text) : text(text) {}

    // Every row, or none with `error` set.
    std::optional<QList<QStringList>> all()
    {
        QList<QStringList> rows;
        while (position < text.size()) {
            QStringList row;
            if (!readRow(row))
                return std::nullopt;
            rows << row;
        }
        return rows;
    }

    QString error;

private:
    bool readRow(QStringList& row)
    {
        for (;;) {
            QString field;
            if (!readField(field))
                return false;
            row << field;
            if (text.mid(position, 2) == QLatin1String("\r\n")) {
                position += 2;
                return true;
            }
            if (position < text.size() && text.at(position) == ',') {
                ++position;
                continue;
            }
            error = position >= text.size() ? QStringLiteral("it ends in the middle of a row")
                                            : QStringLiteral("a field runs into its neighbour");
            return false;
        }
    }

    bool readField(QString& field)
    {
        if (position >= text.size() || text.at(position) != '"') {
            while (position < text.size() && text.at(position) != ',' &&
                   text.at(position) != '\r' && text.at(position) != '\n')
                field += text.at(position++);
            return true;
        }
        ++position;
        for (;;) {
            if (position >= text.size()) {
                error = QStringLiteral("it ends inside a quoted field");
                return false;
            }
            const QChar character = text.at(position++);
            if (character != '"') {
                field += character;
            } else if (position < text.size() && text.at(position) == '"') {
                field += '"';
                ++position;
            } else {
                return true;
            }
        }
    }

    const QString& text;
    qsizetype position = 0;
};

QString rowError(qsizetype row, const QString& why)
{
    return QStringLiteral("row %1: %2").arg(row).arg(why);
}

} // namespace

RunLogReader::Read RunLogReader::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString());
    if (file.size() > largestLog)
        return refused(QStringLiteral("larger than any run log"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(file.errorString());
    const bool json = QFileInfo(path).suffix().compare("json", Qt::CaseInsensitive) == 0;
    return json ? fromJson(bytes) : fromCsv(bytes);
}

RunLogReader::Read RunLogReader::fromCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    CsvRows parser(text);
    const auto rows = parser.all();
    if (!rows)
        return refused(parser.error);
    const QStringList header = QStringList{"number"} + RunLogWriter::columns();
    if (rows->isEmpty() || rows->first() != header)
        return refused(QStringLiteral("its first line is not a run log's header"));
    Read read;
    for (qsizetype row = 1; row < rows->size(); ++row) {
        const QStringList& fields = rows->at(row);
        if (fields.size() != header.size())
            return refused(rowError(
                row, QStringLiteral("%1 fields, not %2").arg(fields.size()).arg(header.size())));
        if (fields.first() != QString::number(row))
            return refused(rowError(row, QStringLiteral("numbered %1").arg(fields.first())));
        LogRecord record;
        for (qsizetype column = 1; column < header.size(); ++column)
            record.insert(header.at(column), fields.at(column));
        read.records << record;
    }
    return read;
}

RunLogReader::Read RunLogReader::fromJson(const QByteArray& bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return refused(QStringLiteral("not JSON at byte %1: %2")
                           .arg(parseError.offset)
                           .arg(parseError.errorString()));
    if (!document.isArray())
        return refused(QStringLiteral("not a list of rows"));
    Read read;
    const QJsonArray rows = document.array();
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QJsonObject object = rows.at(row).toObject();
        if (object.value("number").toInteger(-1) != row + 1)
            return refused(rowError(row + 1, QStringLiteral("not numbered %1").arg(row + 1)));
        LogRecord record;
        for (const QString& key : RunLogWriter::columns()) {
            if (!object.value(key).isString())
                return refused(rowError(row + 1, QStringLiteral("no text for \"%1\"").arg(key)));
            record.insert(key, object.value(key).toString());
        }
        read.records << record;
    }
    return read;
}

} // namespace fw
