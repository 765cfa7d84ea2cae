#pragma once

#include "batch/PhotoFile.h"
#include "processing/OutputPreview.h"
#include "processing/RunSettings.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

namespace fw {

class Batch;
class FileSystemProbe;
class ImageService;
class LocalizedStrings;
class SettingView;

// What the output step shows beside its settings while it is on screen: the
// preview of a marked photo as the run would write it, and under a name
// template the names the first marked photos would get. Follows the choices
// of every panel, and does no work while the step is not shown.
// Main thread only.
class OutputStepView : public QObject {
    Q_OBJECT
public:
    static constexpr int sampleNameCount = 3;

    struct Services {
        const Batch& batch;
        SettingView& settings;
        // The run's settings as the panels stand now.
        std::function<RunSettings()> currentSettings;
        const ImageService& images;
        const FileSystemProbe& fileSystem;
        LocalizedStrings& strings;
    };

    explicit OutputStepView(Services services, QObject* parent = nullptr);

    OutputPreview& preview() { return outputPreview; }
    void setShown(bool shown);
    // A panel or the batch changed: what is shown follows, if it differs.
    void refresh();

private:
    void showSampleNames(const RunSettings& settings, const QList<PhotoFilePtr>& photos);

    const Batch& batch;
    SettingView& settings;
    std::function<RunSettings()> currentSettings;
    OutputPreview outputPreview;
    bool shown = false;
    std::optional<RunSettings> settingsShown;
    QList<PhotoFilePtr> photosShown;
};

} // namespace fw
