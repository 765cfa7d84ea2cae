#pragma once

#include <QTableView>

namespace fw {

class LogTableModel;

// A run's per-file records, one row of 30 pixels a photo; file names and
// results show their full text as a plain tool tip.
class LogTableView : public QTableView {
    Q_OBJECT
public:
    LogTableView(LogTableModel& model, QWidget* parent = nullptr);
};

} // namespace fw
