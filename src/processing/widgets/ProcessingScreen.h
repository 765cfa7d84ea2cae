#pragma once

#include "batch/PhotoFile.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace fw {

class ImageService;
class LocalizedStrings;
class LogTableModel;
class ThumbnailProvider;
class ProcessingView;
class RunSummaryPanel;

// The run over the whole main screen: the progress with its figures and the
// time left, the photo in hand with its thumbnail, the results so far as they
// come, Hold and Stop; then the summary of the run and its per-file log, with
// Open folder, Show log and Close.
class ProcessingScreen : public QWidget {
    Q_OBJECT
public:
    ProcessingScreen(ProcessingView& view, LocalizedStrings& strings, const ImageService& images,
                     QWidget* parent = nullptr);
    ~ProcessingScreen() override;

Q_SIGNALS:
    void showLogsRequested();
    void closeRequested();

private:
    QWidget* buildProgress();
    QWidget* buildSummary();
    void render();
    void showPhotoInHand();
    void captionThumbnail(const QString& path);
    void addFinishedRows();

    ProcessingView& view;
    LocalizedStrings& strings;
    QLabel* title;
    QWidget* progress;
    QProgressBar* progressBar;
    QLabel* progressLine;
    QLabel* currentPath;
    QLabel* thumbnail;
    QLabel* thumbnailCaption;
    ThumbnailProvider* thumbnails;
    QString thumbnailPath;
    // Since the last thumbnail was asked for, and how long to wait from then
    // for the next one.
    QElapsedTimer sinceThumbnail;
    qint64 thumbnailGapMilliseconds;
    LogTableModel* liveRecords;
    // Rows of finished photos not in the live table yet: they go in a few
    // times a second, not one by one.
    QList<PhotoFilePtr> finishedPhotos;
    QTimer* rowTimer;
    QLabel* stopping;
    QPushButton* holdResume;
    QPushButton* stop;
    QWidget* summary;
    RunSummaryPanel* figures;
    LogTableModel* records;
    QPushButton* openFolder;
    // The summary and log are filled once, when the run has ended.
    bool summaryFilled = false;
};

} // namespace fw
