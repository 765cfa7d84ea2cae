#include "processing/BatchRun.h"

#include "batch/Batch.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/PathInfo.h"
#include "platform/PhysicalMemory.h"
#include "processing/OutputPathPlanner.h"
#include "processing/PhotoStep.h"
#include "processing/RunObserver.h"
#include "processing/StatusMessages.h"

#include <QMetaObject>
#include <QThread>

namespace fw {

BatchRun::BatchRun(Batch& batch, LocalizedStrings& strings, const ImageService& images,
                   const FileSystemProbe& fileSystem, RunObserver& observer, QObject* parent)
    : QObject(parent), batch(batch), strings(strings), images(images), fileSystem(fileSystem),
      observer(observer), photosInFlight(defaultPhotosInFlight())
{
    workers.setMaxThreadCount(photosInFlight);
}

BatchRun::~BatchRun()
{
    stopped = true;
    ended = true;
    workers.waitForDone();
}

// One photo per core, as many as memory holds: a photo at the edge of the
// pixel budget takes most of a gibibyte, and a machine with many cores and
// little memory must not run out of it on a batch of such photos.
int BatchRun::defaultPhotosInFlight()
{
    constexpr qint64 mostBytesOfAPhoto = qint64(1) << 30;
    const qint64 memory = PhysicalMemory::bytes();
    const int cores = std::max(1, QThread::idealThreadCount());
    if (memory <= 0)
        return cores;
    return static_cast<int>(std::clamp<qint64>(memory / mostBytesOfAPhoto, 1, cores));
}

void BatchRun::setPhotosInFlight(int count)
{
    photosInFlight = std::max(1, count);
    workers.setMaxThreadCount(photosInFlight);
}

void BatchRun::start(const RunSettings& settings, int initialProcessFlag)
{
    runSettings = settings;
    step = std::make_shared<const PhotoStep>(images, fileSystem, settings);
    photoList = batch.markedPhotos();
    batch.updateEach([](PhotoFile& photo) {
        if (!photo.isSelected)
            return false;
        photo.processStatus = PhotoStatus::NotProcessed;
        photo.newfileSizeInBytes = 0;
        photo.newfileSizeAsString.clear();
        photo.filePathNew.clear();
        return true;
    });
    processFlag = initialProcessFlag;
    currentFileFlag = FileAnswer::NoAnswer;
    nextToStart = nextToApply = 0;
    replanIndex.reset();
    askingIndex.reset();
    questionShown = false;
    waiting.clear();
    pathsInFlight.clear();
    held = stopped = outOfSpace = false;
    finished = succeeded = failures = skips = 0;
    details.clear();
    started = QDateTime::currentDateTime();
    stamp = RunLog::runTimeStamp(started);
    ended = photoList.isEmpty();
    startMore();
}

void BatchRun::hold()
{
    if (ended)
        return;
    held = true;
    changeState();
}

// A question still open keeps the run where it is: its answer resumes it.
void BatchRun::resume()
{
    if (ended || stopped || askingIndex)
        return;
    held = false;
    processFlag = currentFileFlag;
    changeState();
    startMore();
    endIfDone();
}

void BatchRun::stop()
{
    if (ended || stopped)
        return;
    stopped = true;
    askingIndex.reset();
    questionShown = false;
    changeState();
    endIfDone();
}

void BatchRun::answerExistingOutput(std::optional<int> fileAnswer, int newProcessFlag,
                                    const QString& newPath)
{
    if (!askingIndex || ended)
        return;
    askingIndex.reset();
    questionShown = false;
    held = false;
    if (fileAnswer)
        currentFileFlag = *fileAnswer;
    renamedPath = newPath;
    processFlag = newProcessFlag;
    changeState();
    startMore();
    applyInOrder();
}

int BatchRun::percentDone() const
{
    return photoList.isEmpty() ? 0 : static_cast<int>(finished * 100LL / photoList.size());
}

// Estimated from the pace so far, once there is a pace to speak of.
QString BatchRun::remainingTimeText() const
{
    constexpr qint64 shortestMeasure = 2;
    const qint64 seconds = Utils::getDurationBetweenDate(started, QDateTime::currentDateTime());
    if (ended || finished == 0 || seconds < shortestMeasure || finished >= photoList.size())
        return {};
    return durationText(seconds * (photoList.size() - finished) / finished);
}

QString BatchRun::elapsedTimeText() const
{
    return durationText(Utils::getDurationBetweenDate(started, QDateTime::currentDateTime()));
}

// Under a second reads as one second.
QString BatchRun::durationText(qint64 seconds) const
{
    const Utils::Localizer localize = [this](const QString& key) {
        return strings.getLocalizedStringForKey(key);
    };
    const QString text = Utils::timeFormattedString(seconds, localize);
    return text.isEmpty() ? QStringLiteral("1 %1").arg(localize(StringKey::SECONDS)) : text;
}

void BatchRun::startMore()
{
    while (!ended && !held && !stopped && !outOfSpace && !askingIndex &&
           inFlight < photosInFlight) {
        const std::optional<int> next =
            replanIndex
                ? replanIndex
                : (nextToStart < photoList.size() ? std::optional(nextToStart) : std::nullopt);
        if (!next)
            break;
        const Plan plan = planAndStart(*next);
        if (plan == Plan::Asks || plan == Plan::Waits)
            break;
        if (replanIndex == next)
            replanIndex.reset();
        else
            ++nextToStart;
    }
    // Photos skipped without being started are applied in their turn.
    if (!ended && waiting.contains(nextToApply))
        applyInOrder();
}

// The output's name and what it does to a file in its way are decided here,
// in batch order, counting the names of the photos in hand as taken.
BatchRun::Plan BatchRun::planAndStart(int index)
{
    const PhotoFilePtr& photo = photoList.at(index);
    QString path =
        OutputPathPlanner(runSettings.output, runSettings.rawConvertFormat, runSettings.geometry)
            .updatedFilePathWithSetting(*photo, index);
    if (currentFileFlag == FileAnswer::UseNewName) {
        currentFileFlag = FileAnswer::NoAnswer;
        path = renamedPath;
    }
    const int answer = currentFileFlag;
    const bool mayAsk = runSettings.output.askBeforeOverwrite &&
                        processFlag != ProcessFlag::KeepAll && answer != FileAnswer::ReplaceThis &&
                        answer != FileAnswer::KeepBoth;
    const bool inHand = pathsInFlight.contains(path);
    if ((inHand || PathInfo::ofLink(path).exists()) && processFlag != ProcessFlag::ReplaceAll &&
        mayAsk) {
        if (processFlag == ProcessFlag::SkipAll || answer == FileAnswer::SkipThis) {
            currentFileFlag = FileAnswer::NoAnswer;
            waiting.insert(index, {PhotoOutcome::Next::Done, PhotoStep::skipped(path)});
            return Plan::Skipped;
        }
        askingIndex = index;
        askingPath = path;
        askWhenItsTurn();
        return Plan::Asks;
    }
    using ExistingFile = ImageSaver::ExistingFile;
    ExistingFile existingFile = ExistingFile::Replace;
    if (processFlag == ProcessFlag::KeepAll || answer == FileAnswer::KeepBoth) {
        path = Utils::stringToAvoidNameCollisionForPath(path, pathsInFlight);
        existingFile = ExistingFile::TakeFreeName;
    } else if (mayAsk && processFlag != ProcessFlag::ReplaceAll) {
        existingFile = ExistingFile::Keep;
    } else if (inHand) {
        // Replacing: the photo in hand with this name goes first, as it
        // would one at a time.
        return Plan::Waits;
    }
    currentFileFlag = FileAnswer::NoAnswer;
    startWorker(index, path, existingFile);
    return Plan::Started;
}

void BatchRun::startWorker(int index, const QString& outputPath,
                           ImageSaver::ExistingFile existingFile)
{
    const PhotoFilePtr& photo = photoList.at(index);
    const PhotoTask task{index, *photo, outputPath, existingFile,
                         processFlag == ProcessFlag::SkipAll};
    pathsInFlight.insert(outputPath);
    ++inFlight;
    observer.photoStarted(photo);
    const std::shared_ptr<const PhotoStep> runStep = step;
    workers.start([this, runStep, task] {
        const PhotoOutcome outcome = runStep->run(task);
        QMetaObject::invokeMethod(
            this,
            [this, index = task.index, path = task.outputPath, outcome] {
                workerFinished(index, path, outcome);
            },
            Qt::QueuedConnection);
    });
}

void BatchRun::workerFinished(int index, const QString& outputPath, const PhotoOutcome& outcome)
{
    if (ended)
        return;
    --inFlight;
    pathsInFlight.remove(outputPath);
    PhotoOutcome kept = outcome;
    if (kept.next == PhotoOutcome::Next::AskAboutExisting)
        kept.result.outputPath = outputPath;
    waiting.insert(index, kept);
    applyInOrder();
}

// Results are applied in batch order; one that came early waits for those
// before it.
void BatchRun::applyInOrder()
{
    while (!ended && waiting.contains(nextToApply)) {
        const int index = nextToApply;
        const PhotoOutcome outcome = waiting.take(index);
        const PhotoFilePtr& photo = photoList.at(index);
        if (outcome.next == PhotoOutcome::Next::AskAboutExisting) {
            askingIndex = index;
            askingPath = outcome.result.outputPath;
            replanIndex = index;
            break;
        }
        ++nextToApply;
        if (outcome.next == PhotoOutcome::Next::StopForSpace) {
            batch.updatePhoto(photo, [](PhotoFile& record) {
                record.processStatus = PhotoStatus::StoppedForSpace;
            });
            if (!outOfSpace) {
                outOfSpace = true;
                held = true;
                observer.destinationFull();
            }
            continue;
        }
        apply(photo, outcome.result);
    }
    askWhenItsTurn();
    startMore();
    endIfDone();
}

void BatchRun::apply(const PhotoFilePtr& photo, const PhotoResult& result)
{
    batch.updatePhoto(photo, [&result](PhotoFile& record) {
        record.processStatus = result.status;
        record.filePathNew = result.outputPath;
        record.newfileSizeInBytes = result.outputBytes;
        record.newfileSizeAsString = result.status == PhotoStatus::Processed
                                         ? Utils::unitStringFromBytes(result.outputBytes, 0)
                                         : QString();
    });
    ++finished;
    if (result.status == PhotoStatus::Processed)
        ++succeeded;
    if (result.progressStatus == ProgressStatus::Failure)
        ++failures;
    if (result.progressStatus == ProgressStatus::Skipped)
        ++skips;
    observer.photoDone(photo, result);
}

// The question opens once every photo before its own is done. Its file may
// have been the output of one of them that then failed: with nothing in the
// way any more, the photo is simply planned again.
void BatchRun::askWhenItsTurn()
{
    if (!askingIndex || questionShown || nextToApply != *askingIndex)
        return;
    if (!PathInfo::ofLink(askingPath).exists() && !pathsInFlight.contains(askingPath)) {
        askingIndex.reset();
        startMore();
        return;
    }
    questionShown = true;
    held = true;
    observer.existingOutputQuestion(photoList.at(*askingIndex), askingPath);
    changeState();
}

// A run stopped for space waits for the user to read why.
void BatchRun::endIfDone()
{
    if (ended || inFlight > 0)
        return;
    if (stopped || (nextToApply >= photoList.size() && !outOfSpace))
        end();
}

// A stop that leaves a question unanswered leaves the photos after it that
// were already in flight waiting for their turn; their outputs exist, so
// they are counted and logged as any other.
void BatchRun::applyLeftOver()
{
    for (auto left = waiting.cbegin(); left != waiting.cend(); ++left) {
        if (left.value().next == PhotoOutcome::Next::Done)
            apply(photoList.at(left.key()), left.value().result);
    }
    waiting.clear();
}

QString BatchRun::keptMetadataText() const
{
    switch (runSettings.output.metadataOption) {
    case MetadataOption::WithoutLocation:
        return strings.getLocalizedStringForKey(StringKey::METADATA_WITHOUT_LOCATION);
    case MetadataOption::PictureOnly:
        return strings.getLocalizedStringForKey(StringKey::METADATA_PICTURE_ONLY);
    default:
        return strings.getLocalizedStringForKey(StringKey::METADATA_KEPT_ALL);
    }
}

void BatchRun::end()
{
    applyLeftOver();
    ended = true;
    held = false;
    runSummary = RunSummary::make(photoList, succeeded, skips, elapsedTimeText());
    runSummary.lblMetadata = keptMetadataText();
    details = RunLog::insertDetailsInDatabase(photoList, stamp, [this](int status) {
        return StatusMessages::getMessageForstatus(status, strings);
    });
    observer.runEnded();
}

void BatchRun::changeState()
{
    observer.runStateChanged();
}

} // namespace fw
