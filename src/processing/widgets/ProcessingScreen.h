#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace fw {

class LocalizedStrings;
class LogTableModel;
class ProcessingView;
class RunSummaryPanel;

// The run over the whole main screen: the progress with its figures, the
// photo being written and Stop; then the summary of the run and its
// per-file log, with Show log and Close.
class ProcessingScreen : public QWidget {
    Q_OBJECT
public:
    ProcessingScreen(ProcessingView& view, LocalizedStrings& strings, QWidget* parent = nullptr);

Q_SIGNALS:
    void showLogsRequested();
    void closeRequested();

private:
    QWidget* buildProgress();
    QWidget* buildSummary();
    void render();

    ProcessingView& view;
    LocalizedStrings& strings;
    QLabel* title;
    QWidget* progress;
    QProgressBar* progressBar;
    QLabel* progressLine;
    QLabel* currentPath;
    QLabel* stopping;
    QPushButton* holdResume;
    QPushButton* stop;
    QWidget* summary;
    RunSummaryPanel* figures;
    LogTableModel* records;
    // The summary and log are filled once, when the run has ended.
    bool summaryFilled = false;
};

} // namespace fw
