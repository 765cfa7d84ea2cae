#include "log/RunLogWriter.h"

#include "platform/AtomicFileWriter.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

namespace fw {

namespace {

// Fields with separators, quotes or line ends are quoted, quotes doubled.
QString csvField(const QString& text)
{
    if (!text.contains(QRegularExpression(QStringLiteral("[\",\\r\\n]"))))
        return text;
    QString quoted = text;
    quoted.replace('"', QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

} // namespace

const QStringList& RunLogWriter::columns()
{
    static const QStringList keys = {"timeStamp", "inputFilename", "outputFilename", "information",
                                     "oldSize",   "newSize",       "ratio",          "save"};
    return keys;
}

QByteArray RunLogWriter::toCsv(const QList<LogRecord>& records)
{
    QString text = "number," + columns().join(',') + "\r\n";
    for (qsizetype row = 0; row < records.size(); ++row) {
        QStringList fields = {QString::number(row + 1)};
        for (const QString& key : columns())
            fields << csvField(records.at(row).value(key));
        text += fields.join(',') + "\r\n";
    }
    return text.toUtf8();
}

QByteArray RunLogWriter::toJson(const QList<LogRecord>& records)
{
    QJsonArray rows;
    for (qsizetype row = 0; row < records.size(); ++row) {
        QJsonObject object{{"number", static_cast<qint64>(row + 1)}};
        for (const QString& key : columns())
            object.insert(key, records.at(row).value(key));
        rows.append(object);
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Indented);
}

Outcome RunLogWriter::write(const QList<LogRecord>& records, const QString& path)
{
    const bool json = QFileInfo(path).suffix().compare("json", Qt::CaseInsensitive) == 0;
    AtomicFileWriter file(QFileInfo(path).absolutePath());
    const auto failed = [&path](const QString& why) {
        return Outcome::failure(QStringLiteral("cannot write the log %1: %2").arg(path, why));
    };
    if (!file.isReady())
        return failed(file.error());
    if (const Outcome written = file.writeContents(json ? toJson(records) : toCsv(records));
        !written)
        return failed(written.message());
    if (file.commit(QFileInfo(path).absoluteFilePath(), AtomicFileWriter::CommitMode::Replace) !=
        AtomicFileWriter::CommitResult::Committed)
        return failed(file.error());
    return Outcome::success();
}

} // namespace fw
