#include "processing/OutputPreview.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/ImageService.h"
#include "processing/ImageFilter.h"
#include "processing/OutputPathPlanner.h"
#include "processing/PhotoStep.h"
#include "processing/StatusMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>

namespace fw {

namespace {

QString pixelsAndBytes(const QSize& size, double bytes)
{
    return QStringLiteral("%1 · %2").arg(Utils::dimensionsText(size.width(), size.height()),
                                         Utils::unitStringFromBytes(bytes, 0));
}

// The photos measured for the estimate: the shown one and others spread
// evenly over the marked ones.
QList<PhotoFile> sampleOf(const QList<PhotoFilePtr>& photos, int shownIndex)
{
    QList<PhotoFile> samples{*photos.at(shownIndex)};
    const qsizetype count = photos.size();
    const qsizetype wanted = std::min<qsizetype>(OutputPreview::samplePhotos, count);
    for (qsizetype step = 0; samples.size() < wanted && step < count; ++step) {
        const qsizetype index = step * count / wanted;
        if (index != shownIndex && samples.size() < wanted)
            samples.append(*photos.at(index));
    }
    return samples;
}

} // namespace

struct OutputPreview::Job {
    int generation = 0;
    RunSettings settings;
    PhotoFile photo;
    QList<PhotoFile> samples;
    QString scratchFolder;
};

struct OutputPreview::Written {
    int status = PhotoStatus::NotProcessed;
    double bytes = 0;
    QSize size;
    QImage picture;
};

OutputPreview::OutputPreview(const ImageService& images, const FileSystemProbe& fileSystem,
                             LocalizedStrings& strings, QObject* parent)
    : QObject(parent), images(images), fileSystem(fileSystem), strings(strings)
{
    worker.setMaxThreadCount(1);
}

OutputPreview::~OutputPreview()
{
    ++currentGeneration;
    worker.clear();
    worker.waitForDone();
}

// Settings that only name or place the output leave the written picture and
// its figures as they are: a keystroke in the name field writes nothing.
void OutputPreview::show(const QList<PhotoFilePtr>& marked, const RunSettings& newSettings)
{
    const bool samePictures =
        !stopped && !marked.isEmpty() && marked == photos && writesAlike(settings, newSettings);
    if (marked != photos)
        photoIndex = 0;
    photos = marked;
    settings = newSettings;
    if (!samePictures) {
        restart();
        return;
    }
    shownOutputName = plannedOutputName();
    if (!writtenFigures.isEmpty())
        state.outputCaption = shownOutputName + '\n' + writtenFigures;
    Q_EMIT changed();
}

bool OutputPreview::writesAlike(const RunSettings& one, const RunSettings& other)
{
    const OutputOptionSettings& a = one.output;
    const OutputOptionSettings& b = other.output;
    return one.geometry == other.geometry && one.rawConvertFormat == other.rawConvertFormat &&
           a.formatOption == b.formatOption && a.selectedFileFormat == b.selectedFileFormat &&
           a.compressionRatio == b.compressionRatio && a.isLossless == b.isLossless &&
           a.metadataOption == b.metadataOption;
}

// The name the run would give the photo in view.
QString OutputPreview::plannedOutputName() const
{
    return QFileInfo(
               OutputPathPlanner(settings.output, settings.rawConvertFormat, settings.geometry)
                   .updatedFilePathWithSetting(*photos.at(photoIndex), photoIndex))
        .fileName();
}

void OutputPreview::stop()
{
    stopped = true;
    ++currentGeneration;
    worker.clear();
}

void OutputPreview::showNext()
{
    if (photoIndex + 1 >= photos.size())
        return;
    ++photoIndex;
    restart();
}

void OutputPreview::showPrevious()
{
    if (photoIndex == 0)
        return;
    --photoIndex;
    restart();
}

void OutputPreview::restart()
{
    const int generation = ++currentGeneration;
    stopped = false;
    worker.clear();
    state = {};
    state.photoCount = static_cast<int>(photos.size());
    if (photos.isEmpty() || !scratch.isValid()) {
        Q_EMIT changed();
        return;
    }
    photoIndex = std::clamp(photoIndex, 0, static_cast<int>(photos.size()) - 1);
    const PhotoFilePtr& photo = photos.at(photoIndex);
    state.photoNumber = photoIndex + 1;
    state.photoName = photo->fileName;
    state.isWriting = true;
    state.outputCaption = strings.getLocalizedStringForKey(StringKey::PREVIEW_WRITING);
    shownOutputName = plannedOutputName();
    writtenFigures.clear();
    const Job job{generation, settings, *photo, sampleOf(photos, photoIndex), scratch.path()};
    worker.start([this, job] { run(job); });
    Q_EMIT changed();
}

// Each step first checks that its work is still wanted.
void OutputPreview::run(const Job& job)
{
    if (isStale(job.generation))
        return;
    const std::optional<Image> small =
        images.uprightPreview(job.photo.fileURL, pictureSide, pictureSide);
    const QImage original = small.value_or(Image()).toQImage();
    const QImage quick = small ? quickOutput(job, *small) : QImage();
    const QString originalCaption =
        pixelsAndBytes(QSize(static_cast<int>(job.photo.width), static_cast<int>(job.photo.height)),
                       job.photo.fileSizeInBytes);
    deliver(job.generation, [=](Shown& shown) {
        shown.original = original;
        shown.originalCaption = originalCaption;
        shown.output = quick;
    });
    if (isStale(job.generation))
        return;
    const Written output = written(job, job.photo, true);
    deliver(job.generation, [this, output](Shown& shown) {
        shown.isWriting = false;
        if (!output.picture.isNull())
            shown.output = output.picture;
        if (output.status != PhotoStatus::Processed) {
            shown.outputCaption = StatusMessages::getMessageForstatus(output.status, strings);
            return;
        }
        writtenFigures = pixelsAndBytes(output.size, output.bytes);
        shown.outputCaption = shownOutputName + '\n' + writtenFigures;
    });
    double pixelsOut = 0;
    double bytesOut = 0;
    const auto measure = [&pixelsOut, &bytesOut](const Written& measured) {
        if (measured.status != PhotoStatus::Processed)
            return;
        pixelsOut += static_cast<double>(measured.size.width()) * measured.size.height();
        bytesOut += measured.bytes;
    };
    measure(output);
    for (const PhotoFile& sample : job.samples.mid(1)) {
        if (isStale(job.generation))
            return;
        measure(written(job, sample, false));
    }
    deliver(job.generation,
            [this, geometry = job.settings.geometry, pixelsOut, bytesOut](Shown& shown) {
                shown.estimateText = estimateText(geometry, pixelsOut, bytesOut);
            });
}

// The photo written as the run would write it, into the preview's own
// folder, measured, read back small, and removed.
OutputPreview::Written OutputPreview::written(const Job& job, const PhotoFile& photo,
                                              bool withPicture) const
{
    RunSettings own = job.settings;
    own.output.folderOption = FolderOption::IntoFolder;
    own.output.ouptputFolder = job.scratchFolder;
    own.output.keepFolderHierarchy = false;
    own.output.askBeforeOverwrite = false;
    own.output.filenameOption = FileNameOption::SourceName;
    const QString path = OutputPathPlanner(own.output, own.rawConvertFormat, own.geometry)
                             .updatedFilePathWithSetting(photo);
    PhotoTask task;
    task.photo = photo;
    task.outputPath = path;
    const PhotoOutcome outcome = PhotoStep(images, fileSystem, own).run(task);
    Written result;
    result.status =
        outcome.next == PhotoOutcome::Next::Done ? outcome.result.status : PhotoStatus::NotSaved;
    if (result.status != PhotoStatus::Processed)
        return result;
    const QString writtenPath = outcome.result.outputPath;
    result.bytes = outcome.result.outputBytes;
    if (const auto properties = images.readProperties(writtenPath))
        result.size = Utils(images).uprightSize(writtenPath, *properties).toSize();
    if (withPicture)
        result.picture = images.uprightPreview(writtenPath, pictureSide, pictureSide)
                             .value_or(Image())
                             .toQImage();
    QFile::remove(writtenPath);
    return result;
}

// A small decode shaped, flipped and turned as the output will be: shown at
// once while the real output is written.
QImage OutputPreview::quickOutput(const Job& job, const Image& small) const
{
    const QSizeF upright(job.photo.width, job.photo.height);
    const ResizingOptionsSettingObject& geometry = job.settings.geometry;
    const std::optional<QSize> target =
        geometry.sizeObject.isKeepOriginalSize
            ? std::optional(upright.toSize())
            : ImageFilter::resizeTarget(upright, geometry.sizeObject);
    if (!target || target->isEmpty())
        return {};
    const QSize shape = target->scaled(pictureSide, pictureSide, Qt::KeepAspectRatio);
    Image shaped = small.scaled(std::max(1, shape.width()), std::max(1, shape.height()));
    if (geometry.isHorizontalFlip)
        shaped = shaped.flippedHorizontally();
    if (geometry.isVerticalFlip)
        shaped = shaped.flippedVertically();
    return shaped
        .rotatedCounterClockwise(ImageFilter::degreesForRotationType(geometry.rotationType))
        .toQImage();
}

void OutputPreview::deliver(int generation, std::function<void(Shown&)> update)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, update = std::move(update)] {
            if (isStale(generation))
                return;
            update(state);
            Q_EMIT changed();
        },
        Qt::QueuedConnection);
}

// The samples' bytes per output pixel, applied to the pixels the settings
// give every marked photo: the output of a batch of mixed formats and sizes
// follows its pixels far more closely than its sources' bytes.
QString OutputPreview::estimateText(const ResizingOptionsSettingObject& geometry,
                                    double samplePixelsOut, double sampleBytesOut) const
{
    if (samplePixelsOut <= 0)
        return {};
    double allPixelsOut = 0;
    for (const PhotoFilePtr& photo : photos) {
        if (const auto size =
                ImageFilter::outputSize(QSizeF(photo->width, photo->height), geometry))
            allPixelsOut += static_cast<double>(size->width()) * size->height();
    }
    const double estimate = allPixelsOut * sampleBytesOut / samplePixelsOut;
    return strings.getLocalizedStringForKey(StringKey::PREVIEW_ESTIMATE)
               .replace(QStringLiteral("%@"), QLocale().toString(photos.size())) +
           ' ' + Utils::unitStringFromBytes(estimate, 0);
}

} // namespace fw
