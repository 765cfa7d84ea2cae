#include "processing/widgets/ProcessingScreen.h"

#include "batch/ThumbnailProvider.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/EmphasisedText.h"
#include "core/widgets/PathElision.h"
#include "core/widgets/PlainToolTip.h"
#include "log/LogTableModel.h"
#include "log/widgets/LogTableView.h"
#include "log/widgets/RunSummaryPanel.h"
#include "processing/ProcessingView.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace fw {

namespace {

QPushButton* namedButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    return button;
}

} // namespace

namespace {

constexpr int thumbnailSide = 160;
constexpr qint64 thumbnailBudget = 4 * thumbnailSide * thumbnailSide * 4;
constexpr int rowIntervalMilliseconds = 250;
// A thumbnail of a camera photo costs a good part of the photo's own decode,
// taken from the run's processors: one is made at most every second and a
// half, and less often when they are slow to make, so that they take about
// 2 % of the run's time.
constexpr qint64 shortestThumbnailGapMilliseconds = 1500;
constexpr qint64 thumbnailGapPerMakingTime = 50;

} // namespace

ProcessingScreen::ProcessingScreen(ProcessingView& view, LocalizedStrings& strings,
                                   const ImageService& images, QWidget* parent)
    : QWidget(parent), view(view), strings(strings), title(new QLabel(this)),
      thumbnails(new ThumbnailProvider(QSize(thumbnailSide, thumbnailSide), thumbnailBudget,
                                       ThumbnailProvider::makerFor(images), this)),
      thumbnailGapMilliseconds(shortestThumbnailGapMilliseconds), rowTimer(new QTimer(this))
{
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    title->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 8);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(buildProgress(), 1);
    layout->addWidget(buildSummary(), 1);
    connect(&view, &ProcessingView::changed, this, &ProcessingScreen::render);
    connect(&view, &ProcessingView::photoFinished, this, [this](const PhotoFilePtr& photo) {
        finishedPhotos.append(photo);
        if (!rowTimer->isActive())
            rowTimer->start();
    });
    rowTimer->setInterval(rowIntervalMilliseconds);
    rowTimer->setSingleShot(true);
    connect(rowTimer, &QTimer::timeout, this, &ProcessingScreen::addFinishedRows);
    connect(thumbnails, &ThumbnailProvider::thumbnailReady, this,
            [this](const QString& path, const QImage& image) {
                if (path != thumbnailPath)
                    return;
                thumbnail->setPixmap(QPixmap::fromImage(image));
                captionThumbnail(path);
                thumbnailGapMilliseconds =
                    std::max(shortestThumbnailGapMilliseconds,
                             thumbnailGapPerMakingTime * sinceThumbnail.elapsed());
            });
    // A photo with no picture to show leaves the frame empty, not showing the
    // photo before it under its name.
    connect(thumbnails, &ThumbnailProvider::thumbnailNotAvailable, this,
            [this](const QString& path) {
                if (path != thumbnailPath)
                    return;
                thumbnail->clear();
                captionThumbnail(path);
            });
    render();
}

ProcessingScreen::~ProcessingScreen()
{
    thumbnails->closeBackgroundOperations();
}

QWidget* ProcessingScreen::buildProgress()
{
    progress = new QWidget(this);
    progressBar = new QProgressBar(progress);
    progressBar->setRange(0, 100);
    // As the line under it writes the figure.
    progressBar->setFormat(QStringLiteral("%p %"));
    progressBar->setAccessibleName(strings.getLocalizedStringForKey(StringKey::PROCESSING));
    progressLine = new QLabel(progress);
    progressLine->setTextFormat(Qt::RichText);
    currentPath = new QLabel(progress);
    currentPath->setTextFormat(Qt::PlainText);
    currentPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stopping = new QLabel(strings.getLocalizedStringForKey(StringKey::STOPPING), progress);
    stopping->setTextFormat(Qt::PlainText);
    holdResume = namedButton(strings.getLocalizedStringForKey(StringKey::HOLD), progress);
    connect(holdResume, &QPushButton::clicked, this, [this] { this->view.btnHoldResumeTapped(); });
    stop = namedButton(strings.getLocalizedStringForKey(StringKey::STOP), progress);
    connect(stop, &QPushButton::clicked, this, [this] { this->view.btnStopProcessTapped(); });
    auto* row = new QHBoxLayout;
    row->addWidget(progressLine, 1);
    row->addWidget(stopping);
    row->addWidget(holdResume);
    row->addWidget(stop);
    thumbnail = new QLabel(progress);
    thumbnail->setFixedSize(thumbnailSide, thumbnailSide);
    thumbnail->setAlignment(Qt::AlignCenter);
    thumbnail->setFrameShape(QFrame::StyledPanel);
    thumbnailCaption = new QLabel(progress);
    thumbnailCaption->setTextFormat(Qt::PlainText);
    thumbnailCaption->setFixedWidth(thumbnailSide);
    thumbnailCaption->setAlignment(Qt::AlignHCenter);
    liveRecords = new LogTableModel(strings, this);
    auto* thumbnailColumn = new QVBoxLayout;
    thumbnailColumn->addWidget(thumbnail);
    thumbnailColumn->addWidget(thumbnailCaption);
    thumbnailColumn->addStretch(1);
    auto* inHand = new QHBoxLayout;
    inHand->addLayout(thumbnailColumn);
    inHand->addWidget(new LogTableView(*liveRecords, progress), 1);
    auto* column = new QVBoxLayout(progress);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(progressBar);
    column->addLayout(row);
    column->addWidget(currentPath);
    column->addLayout(inHand, 1);
    return progress;
}

QWidget* ProcessingScreen::buildSummary()
{
    summary = new QWidget(this);
    figures = new RunSummaryPanel(strings, summary);
    records = new LogTableModel(strings, this);
    openFolder =
        namedButton(strings.getLocalizedStringForKey(StringKey::OPEN_OUTPUT_FOLDER), summary);
    connect(openFolder, &QPushButton::clicked, this,
            [this] { this->view.btnOpenOutputFolderTapped(); });
    auto* showLogs = namedButton(strings.getLocalizedStringForKey(StringKey::SHOW_LOGS), summary);
    auto* close = namedButton(strings.getLocalizedStringForKey(StringKey::CLOSE), summary);
    connect(showLogs, &QPushButton::clicked, this, &ProcessingScreen::showLogsRequested);
    connect(close, &QPushButton::clicked, this, &ProcessingScreen::closeRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(openFolder);
    buttons->addWidget(showLogs);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(summary);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(figures);
    column->addWidget(new LogTableView(*records, summary), 1);
    column->addLayout(buttons);
    return summary;
}

void ProcessingScreen::render()
{
    const bool finished = view.isSummaryShown();
    title->setText(view.title());
    progress->setVisible(!finished);
    summary->setVisible(finished);
    progressBar->setValue(view.progressBarValue());
    progressLine->setText(EmphasisedText::styled(view.progressLine(), view.progressLineValues(),
                                                 palette().color(QPalette::Link)));
    currentPath->setText(PathElision::elided(view.currentPath(), currentPath->fontMetrics(),
                                             std::max(200, currentPath->width())));
    currentPath->setToolTip(PlainToolTip::richTextOf(view.currentPath()));
    showPhotoInHand();
    stopping->setVisible(view.isStopping());
    const QString holdText =
        strings.getLocalizedStringForKey(view.isHeldByUser() ? StringKey::RESUME : StringKey::HOLD);
    holdResume->setText(holdText);
    holdResume->setAccessibleName(holdText);
    holdResume->setEnabled((!view.isOnHold() || view.isHeldByUser()) && !view.isStopping());
    stop->setEnabled((!view.isOnHold() || view.isHeldByUser()) && !view.isStopping());
    if (finished && !summaryFilled) {
        figures->setSummary(view.runLogSummary());
        records->setRecords(view.arrLogDetails());
        openFolder->setEnabled(!view.outputFolder().isEmpty());
    }
    if (!finished && summaryFilled) {
        liveRecords->setRecords({});
        finishedPhotos.clear();
        thumbnailPath.clear();
        sinceThumbnail.invalidate();
        thumbnailGapMilliseconds = shortestThumbnailGapMilliseconds;
        thumbnail->clear();
        thumbnailCaption->clear();
    }
    summaryFilled = finished;
}

// One thumbnail at a time, and not too often: meanwhile the photos in hand
// go by, and the next one shown is the photo in hand then.
void ProcessingScreen::showPhotoInHand()
{
    const QString path = view.currentPath();
    if (path.isEmpty() || path == thumbnailPath || thumbnails->runningTasks() > 0 ||
        thumbnails->pendingRequests() > 0 ||
        (sinceThumbnail.isValid() && sinceThumbnail.elapsed() < thumbnailGapMilliseconds))
        return;
    sinceThumbnail.start();
    thumbnailPath = path;
    thumbnail->setAccessibleName(QFileInfo(path).fileName());
    thumbnails->requestThumbnail(path);
}

// The thumbnail may stay while later photos go by: it says which photo it is.
void ProcessingScreen::captionThumbnail(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    thumbnailCaption->setText(
        thumbnailCaption->fontMetrics().elidedText(name, Qt::ElideMiddle, thumbnailSide));
    thumbnailCaption->setToolTip(PlainToolTip::richTextOf(name));
}

void ProcessingScreen::addFinishedRows()
{
    QList<LogRecord> rows;
    rows.reserve(finishedPhotos.size());
    for (const PhotoFilePtr& photo : std::as_const(finishedPhotos))
        rows.append(view.logRecordOf(*photo));
    finishedPhotos.clear();
    liveRecords->appendRecords(rows);
}

} // namespace fw
