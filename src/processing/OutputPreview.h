#pragma once

#include "batch/PhotoFile.h"
#include "processing/RunSettings.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace fw {

class FileSystemProbe;
class Image;
class ImageService;
class LocalizedStrings;

// One marked photo as the run would write it, beside the original: first at
// once from a small decode turned and flipped as asked, then as the run
// really writes it (size, turn, format, quality, written into a folder of
// its own and read back) with the real size in bytes, and an estimate of the
// whole run's output from a sample of the marked photos. The work runs on one
// thread of its own; a change of setting or photo makes the work in hand
// stale, and stale work stops at its next step and is never shown.
// Main thread only, apart from that thread.
class OutputPreview : public QObject {
    Q_OBJECT
public:
    // Photos measured for the estimate, spread over the marked ones.
    static constexpr int samplePhotos = 6;

    struct Shown {
        // 1-based place of the photo among the marked ones; 0 for none.
        int photoNumber = 0;
        int photoCount = 0;
        QString photoName;
        QImage original;
        QString originalCaption;
        QImage output;
        // The output's name, pixel size and bytes, or why it is not written.
        QString outputCaption;
        QString estimateText;
        // The output shown is the quick one; the written one is on its way.
        bool isWriting = false;
    };

    OutputPreview(const ImageService& images, const FileSystemProbe& fileSystem,
                  LocalizedStrings& strings, QObject* parent = nullptr);
    ~OutputPreview() override;

    const Shown& shown() const { return state; }
    // The box the pictures are fitted into.
    static constexpr int pictureSide = 300;

    // The marked photos under the run's settings; the photo in view stays
    // when the photos stay.
    void show(const QList<PhotoFilePtr>& marked, const RunSettings& settings);
    // Makes the work in hand stale, so that a run started next has the
    // processor to itself; the next show starts afresh.
    void stop();
    void showNext();
    void showPrevious();

Q_SIGNALS:
    void changed();

private:
    struct Job;
    struct Written;
    void restart();
    static bool writesAlike(const RunSettings& one, const RunSettings& other);
    QString plannedOutputName() const;
    void run(const Job& job);
    Written written(const Job& job, const PhotoFile& photo, bool withPicture) const;
    // The original's small decode shaped, flipped and turned as the output.
    QImage quickOutput(const Job& job, const Image& small) const;
    bool isStale(int generation) const { return generation != currentGeneration.load(); }
    void deliver(int generation, std::function<void(Shown&)> update);
    QString estimateText(const ResizingOptionsSettingObject& geometry, double samplePixelsOut,
                         double sampleBytesOut) const;

    const ImageService& images;
    const FileSystemProbe& fileSystem;
    LocalizedStrings& strings;
    QList<PhotoFilePtr> photos;
    RunSettings settings;
    int photoIndex = 0;
    // The name of the output in view, and its size and bytes once written.
    QString shownOutputName;
    QString writtenFigures;
    // The work in hand was dropped: the next show starts it again.
    bool stopped = false;
    Shown state;
    std::atomic<int> currentGeneration{0};
    QTemporaryDir scratch;
    QThreadPool worker;
};

} // namespace fw
