#pragma once

#include "app/AppDelegate.h"
#include "core/NotificationCenter.h"
#include "core/Utils.h"
#include "platform/VipsImageService.h"
#include "processing/ProcessingView.h"
#include "support/EventWaiting.h"
#include "support/FakeFileSystem.h"
#include "support/NotificationRecorder.h"
#include "support/TemporaryFolder.h"
#include "support/TestImages.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace fw::test {

// A processing screen over a batch of generated photos, with the
// notifications it posts and the folders it would open recorded.
class RunFixture : public ::testing::Test {
protected:
    explicit RunFixture(const ImageService& images = VipsImageService::shared())
        : utils(images), app(images, {"en"})
    {
        view = std::make_unique<ProcessingView>(app.batch(), app.strings(), app.flags(),
                                                app.rawConvertFormat, center, fileSystem, utils);
        view->setOutputFolderOpener([this](const QString& folder) { openedFolders << folder; });
    }

    PhotoFilePtr addPhoto(const QString& name, int width = 64, int height = 48)
    {
        const QString path = source.filePath(name);
        saveJpeg(markedPicture(width, height), path);
        return addExisting(path);
    }

    PhotoFilePtr addExisting(const QString& path)
    {
        PhotoFilePtr photo = PhotoFile::initWithFileUrl(path, false, utils.imageService());
        photo->isSelected = true;
        app.batch().append({photo});
        return photo;
    }

    OutputOptionSettings intoDestination() const
    {
        OutputOptionSettings output;
        output.folderOption = 1;
        output.ouptputFolder = destination.path();
        output.askBeforeOverwrite = true;
        return output;
    }

    static ResizingOptionsSettingObject halfSize()
    {
        ResizingOptionsSettingObject options;
        options.sizeObject.isPercentSize = true;
        options.sizeObject.perWidth = 50;
        options.sizeObject.perHeight = 50;
        return options;
    }

    bool runToSummary(const OutputOptionSettings& output,
                      const ResizingOptionsSettingObject& options,
                      int processFlag = ProcessFlag::KeepAll)
    {
        view->startProcess(output, options, processFlag);
        return waitUntil([this] { return view->isSummaryShown(); });
    }

    QString destinationFile(const QString& name) const { return destination.filePath(name); }

    TemporaryFolder source;
    TemporaryFolder destination;
    FakeFileSystem fileSystem;
    Utils utils;
    AppDelegate app;
    NotificationCenter center;
    NotificationRecorder posted{
        center,
        {"notificationsDisbleView", "notificationsEnable", "notificationsSaveasPredefinedSize",
         "notificationsProcessFinished", "notificationShowAlertWithType",
         "notificationShowOverwriteAlert", "notificationHideOverwriteAlert"}};
    QStringList openedFolders;
    std::unique_ptr<ProcessingView> view;
};

} // namespace fw::test
