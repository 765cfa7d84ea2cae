#include "log/LogTableModel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

namespace fw {

namespace {

bool hasInnerDash(const QString& value)
{
    return value.indexOf('-', 1) > 0;
}

} // namespace

LogTableModel::LogTableModel(LocalizedStrings& strings, QObject* parent)
    : QAbstractTableModel(parent), strings(strings)
{
}

// The same records handed again (a window drawn again) cost nothing; a
// reset of 100,000 rows would.
void LogTableModel::setRecords(const QList<LogRecord>& newRecords)
{
    if (records.isSharedWith(newRecords) || (records.isEmpty() && newRecords.isEmpty()))
        return;
    beginResetModel();
    records = newRecords;
    endResetModel();
}

void LogTableModel::appendRecords(const QList<LogRecord>& more)
{
    if (more.isEmpty())
        return;
    const int first = static_cast<int>(records.size());
    beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
    records.append(more);
    endInsertRows();
}

int LogTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(records.size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= records.size())
        return {};
    const LogRecord& record = records.at(index.row());
    const int column = index.column();
    if (role == Qt::DisplayRole)
        return cellText(record, index.row(), column);
    if (role == Qt::ToolTipRole &&
        (column == InputFile || column == OutputFile || column == Information))
        return cellText(record, index.row(), column);
    if (role == Qt::TextAlignmentRole && column != InputFile && column != OutputFile &&
        column != Information)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QString LogTableModel::cellText(const LogRecord& record, int row, int column) const
{
    switch (column) {
    case Number:
        return QString::number(row + 1);
    case InputFile:
        return record.value("inputFilename");
    case OutputFile:
        return record.value("outputFilename");
    case Information:
        return record.value("information");
    case OldSize:
        return record.value("oldSize");
    case NewSize:
        return record.value("newSize");
    case Ratio:
    case Save: {
        const QString value = record.value(column == Ratio ? "ratio" : "save");
        return hidesInnerDashes && hasInnerDash(value) ? QString() : value;
    }
    default:
        return {};
    }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const keys[] = {StringKey::LOG_NUMBER,      StringKey::LOG_INPUT_FILE,
                                       StringKey::LOG_OUTPUT_FILE, StringKey::LOG_INFORMATION,
                                       StringKey::LOG_OLD_SIZE,    StringKey::LOG_NEW_SIZE,
                                       StringKey::LOG_RATIO,       StringKey::LOG_SAVE};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return strings.getLocalizedStringForKey(keys[section]);
}

} // namespace fw
