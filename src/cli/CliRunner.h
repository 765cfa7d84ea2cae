#pragma once

#include "app/AppDelegate.h"
#include "batch/AddPhotosVC.h"
#include "cli/CliOptions.h"
#include "core/ModalMessages.h"
#include "core/NotificationCenter.h"
#include "processing/BatchRun.h"
#include "processing/RunObserver.h"

#include <QEventLoop>
#include <QObject>
#include <QTextStream>

namespace fw {

// The main job without a window: the batch screen adds the paths, the
// engine's run (the same as the window's) writes them, and the terminal
// shows the alerts, the progress line and the summary. Main thread.
class CliRunner : public QObject, private ModalMessages, private RunObserver {
    Q_OBJECT
public:
    enum ExitStatus : int { AllWritten = 0, SomeFailed = 1, BadUsageOrNothingToDo = 2 };

    CliRunner(CliOptions options, const ImageService& images, QTextStream& out, QTextStream& err,
              bool progressOnTerminal);

    // Adds, runs and reports; returns the exit status.
    int run();
    // Stops the job for a termination signal; the exit status then tells it.
    void interrupt(int signalNumber);

private:
    QStringList existingPaths();
    void showMessage(const QString& text, const QString& informativeText) override;
    void showAlert(int tag);
    void startRun();
    void finishEmptyShard();
    void printRefusedFiles();
    int printDryRun();
    void endProgressLine();
    QTextStream& message();
    bool writeLog();
    bool anyPhotoUnread() const;
    void showProgress();
    void finishRun();
    void printSummary();
    void printFailures();

    void photoStarted(const PhotoFilePtr&) override {}
    void photoDone(const PhotoFilePtr& photo, const PhotoResult& result) override;
    void existingOutputQuestion(const PhotoFilePtr& photo, const QString& outputPath) override;
    void destinationFull() override;
    void runStateChanged() override {}
    void runEnded() override;

    CliOptions options;
    QTextStream& out;
    QTextStream& err;
    const bool progressOnTerminal;
    AppDelegate app;
    NotificationCenter center;
    AddPhotosVC adder;
    BatchRun batchRun;
    QEventLoop loop;
    QString lastProgress;
    bool progressLineOpen = false;
    bool progressEnded = false;
    int exitStatus = BadUsageOrNothingToDo;
    int interruptingSignal = 0;
};

} // namespace fw
