#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace fw {

class LocalizedStrings;
class LogDetailView;
class LogTableModel;
class RunSummaryPanel;

// The log window: one run of the history at a time, its figures above and
// its per-file records below, with Previous and Next. A window of its own
// beside the main window, which stays usable.
class LogWindow : public QWidget {
    Q_OBJECT
public:
    LogWindow(LogDetailView& view, LocalizedStrings& strings, QWidget* mainWindow);

    // Shows the window centred over the main window and in front of it.
    void present();

private:
    void render();

    LogDetailView& view;
    LogTableModel* records;
    QLabel* runTitle;
    QLabel* message;
    RunSummaryPanel* summary;
    QComboBox* runList = nullptr;
    // What the run list holds, so it is filled again only when it changes.
    QStringList runListTitles;
    QPushButton* previous;
    QPushButton* next;
};

} // namespace fw
