#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace fw {

class LocalizedStrings;
class ProcessingView;

// The run as it goes: the progress, the photo in hand and Stop, then the
// summary of what was written.
class ProcessingScreen : public QWidget {
    Q_OBJECT
public:
    ProcessingScreen(ProcessingView& view, LocalizedStrings& strings, QWidget* parent = nullptr);

private:
    void render();
    QString summaryText() const;

    ProcessingView& view;
    LocalizedStrings& strings;
    QLabel* title;
    QProgressBar* progress;
    QLabel* progressLine;
    QLabel* currentPath;
    QLabel* summary;
    QPushButton* stop;
};

} // namespace fw
