#include "gui/MainWindowHarness.h"

#include "app/MainScreenView.h"
#include "app/OutputStepView.h"
#include "batch/widgets/DropArea.h"
#include "core/widgets/AlertSheet.h"
#include "gui/VisibleButton.h"
#include "platform/VipsImageService.h"
#include "support/EventWaiting.h"
#include "support/TestImages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace fw::test {

MainWindowHarness::MainWindowHarness(const ImageService& images)
    : store(folder.filePath("settings.ini"), QSettings::IniFormat), app(images, {"en"}),
      window(app, {store, nullptr,
                   [this](const QString& address) {
                       openedPages.append(address);
                       return true;
                   },
                   folder.filePath("Pictures/Framewright"), folder.filePath("history/runs.sqlite")})
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        ADD_FAILURE() << "the window did not show";
}

QString MainWindowHarness::photoFolder(const QString& name, int count, int width, int height) const
{
    const QString path = folder.makeFolder(name);
    for (int index = 0; index < count; ++index)
        saveJpeg(markedPicture(width, height), QStringLiteral("%1/%2.jpg").arg(path).arg(index));
    return path;
}

void MainWindowHarness::drop(const QStringList& paths)
{
    auto* area = window.findChild<DropArea*>();
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPointF inside = QRectF(area->rect()).center();
    QDragEnterEvent enter(inside.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(area, &enter);
    QDropEvent dropped(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(area, &dropped);
}

bool MainWindowHarness::dropAndWait(const QStringList& paths, qsizetype expectedBatchSize)
{
    drop(paths);
    return waitUntil([&] {
        return app.batch().size() == expectedBatchSize &&
               !window.mainScreen().addPhotosView().isAdding() &&
               window.mainScreen().addPhotosView().screen().areAddButtonsEnabled;
    });
}

bool MainWindowHarness::startRunInto(const QString& destination)
{
    click("Next");
    click("Next");
    return startInto(destination);
}

bool MainWindowHarness::startInto(const QString& destination)
{
    click("Start");
    QFileDialog* chooser = nullptr;
    waitUntil(
        [&] {
            for (QFileDialog* dialog : window.findChildren<QFileDialog*>()) {
                if (dialog->isVisible())
                    chooser = dialog;
            }
            return chooser != nullptr;
        },
        10000);
    if (chooser == nullptr)
        return false;
    chooser->selectFile(destination);
    QMetaObject::invokeMethod(chooser, "accept");
    // A window manager gives the window back its focus when a sheet closes;
    // the offscreen platform has none.
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window) &&
           waitUntil([&] { return window.mainScreen().state().step == Step::Processing; }, 10000);
}

bool MainWindowHarness::waitForOutputPreview()
{
    const OutputPreview& preview = window.mainScreen().outputStepView().preview();
    return waitUntil([&] {
        return !preview.shown().isWriting && !preview.shown().estimateText.isEmpty();
    });
}

bool MainWindowHarness::waitForRunToEnd()
{
    return waitUntil([&] {
        return !app.isProcessingInProgress() && window.mainScreen().vwProcessing().isSummaryShown();
    });
}

QAbstractButton* MainWindowHarness::button(const QString& name) const
{
    return visibleButton(const_cast<MainWindow&>(window), name);
}

void MainWindowHarness::click(const QString& name) const
{
    QAbstractButton* target = button(name);
    if (target == nullptr) {
        ADD_FAILURE() << "no visible button named " << name.toStdString();
        return;
    }
    QTest::mouseClick(target, Qt::LeftButton);
}

QString MainWindowHarness::sheetTitle() const
{
    auto* sheet = window.findChild<AlertSheet*>();
    return sheet != nullptr && sheet->isVisible() ? sheet->windowTitle() : QString();
}

bool MainWindowHarness::waitForSheet(const QString& title) const
{
    return waitUntil([&] { return sheetTitle() == title; }, 10000);
}

} // namespace fw::test
