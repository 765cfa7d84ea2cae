#pragma once

#include "app/AppDelegate.h"
#include "app/widgets/MainWindow.h"
#include "platform/VipsImageService.h"
#include "support/TemporaryFolder.h"

#include <QSettings>
#include <QStringList>

class QAbstractButton;

namespace fw::test {

// The program's window over a batch of generated photos, with its own
// settings file, English texts, no desktop and a recorded web browser.
class MainWindowHarness {
public:
    // The window over the real image service, or over one a test scripts.
    explicit MainWindowHarness(const ImageService& images = VipsImageService::shared());

    // A folder of JPEGs named 0.jpg, 1.jpg, ...; returns its path.
    QString photoFolder(const QString& name, int count, int width = 64, int height = 48) const;
    // Drops the paths on the batch screen as a file manager would.
    void drop(const QStringList& paths);
    [[nodiscard]] bool dropAndWait(const QStringList& paths, qsizetype expectedBatchSize);

    // From the batch step: Next, Next, Start, and the destination chosen in
    // its chooser; returns once the run has started.
    [[nodiscard]] bool startRunInto(const QString& destination);
    // From the output step: Start, and the destination chosen in its chooser.
    [[nodiscard]] bool startInto(const QString& destination);
    [[nodiscard]] bool waitForRunToEnd();
    // On the output step: until its preview has written its photo and
    // samples, so that a test's encoder hook meets the run's photos only.
    [[nodiscard]] bool waitForOutputPreview();

    // The visible button of the window or an open sheet, by accessible name.
    QAbstractButton* button(const QString& name) const;
    void click(const QString& name) const;
    // The title of the alert sheet on screen; empty when none is.
    QString sheetTitle() const;
    [[nodiscard]] bool waitForSheet(const QString& title) const;

    // The history file, in a folder of its own.
    QString historyPath() const { return folder.filePath("history/runs.sqlite"); }

    TemporaryFolder folder;
    QSettings store;
    AppDelegate app;
    QStringList openedPages;
    MainWindow window;
};

} // namespace fw::test
