#pragma once

#include "log/RunLog.h"

#include <QWidget>

class QFormLayout;
class QLabel;

namespace fw {

class LocalizedStrings;

// A run's figures with their captions: photos selected and converted, the
// failures, the sizes before and after, the time taken and, when there is
// any, the space saved.
class RunSummaryPanel : public QWidget {
    Q_OBJECT
public:
    RunSummaryPanel(LocalizedStrings& strings, QWidget* parent = nullptr);

    // A summary record as the run history keeps it; an empty record clears
    // every figure.
    void setSummary(const LogRecord& summary);

private:
    struct Figure {
        QString key;
        QLabel* label;
        QString caption;
    };

    QFormLayout* form;
    QList<Figure> values;
};

} // namespace fw
