#pragma once

#include "log/RunLog.h"

#include <QAbstractTableModel>

namespace fw {

class LocalizedStrings;

// The per-file records of one run as table rows: number, input file, output
// file, what happened, the sizes before and after, the ratio and the space
// saved. The file and information cells carry their text as a tool tip.
// Main thread only.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number,
        InputFile,
        OutputFile,
        Information,
        OldSize,
        NewSize,
        Ratio,
        Save,
        ColumnCount
    };

    LogTableModel(LocalizedStrings& strings, QObject* parent = nullptr);

    void setRecords(const QList<LogRecord>& records);
    void appendRecords(const QList<LogRecord>& more);
    // The log window leaves out a ratio or saving with a "-" past its first
    // character: such a value is no figure.
    void setHidesInnerDashes(bool hides) { hidesInnerDashes = hides; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const LogRecord& record, int row, int column) const;

    LocalizedStrings& strings;
    QList<LogRecord> records;
    bool hidesInnerDashes = false;
};

} // namespace fw
