#include "app/OutputStepView.h"

#include "batch/Batch.h"
#include "core/Codes.h"
#include "processing/OutputPathPlanner.h"
#include "settings/SettingView.h"

#include <QFileInfo>

namespace fw {

OutputStepView::OutputStepView(Services services, QObject* parent)
    : QObject(parent), batch(services.batch), settings(services.settings),
      currentSettings(std::move(services.currentSettings)),
      outputPreview(services.images, services.fileSystem, services.strings)
{
}

void OutputStepView::setShown(bool isShown)
{
    shown = isShown;
    if (shown) {
        refresh();
        return;
    }
    outputPreview.stop();
    settingsShown.reset();
}

void OutputStepView::refresh()
{
    if (!shown)
        return;
    const RunSettings now = currentSettings();
    const QList<PhotoFilePtr> photos = batch.markedPhotos();
    showSampleNames(now, photos);
    if (photos == photosShown && settingsShown == now)
        return;
    photosShown = photos;
    settingsShown = now;
    outputPreview.show(photos, now);
}

void OutputStepView::showSampleNames(const RunSettings& now, const QList<PhotoFilePtr>& photos)
{
    QStringList names;
    if (now.output.filenameOption == FileNameOption::Template) {
        const OutputPathPlanner planner(now.output, now.rawConvertFormat, now.geometry);
        for (int ordinal = 0; ordinal < std::min<qsizetype>(sampleNameCount, photos.size());
             ++ordinal)
            names << QFileInfo(planner.updatedFilePathWithSetting(*photos.at(ordinal), ordinal))
                         .fileName();
    }
    settings.setSampleNames(names);
}

} // namespace fw
