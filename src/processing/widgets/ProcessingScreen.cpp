#include "processing/widgets/ProcessingScreen.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/EmphasisedText.h"
#include "core/widgets/PathElision.h"
#include "core/widgets/PlainToolTip.h"
#include "log/LogTableModel.h"
#include "log/widgets/LogTableView.h"
#include "log/widgets/RunSummaryPanel.h"
#include "processing/ProcessingView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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

ProcessingScreen::ProcessingScreen(ProcessingView& view, LocalizedStrings& strings, QWidget* parent)
    : QWidget(parent), view(view), strings(strings), title(new QLabel(this))
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
    layout->addWidget(buildProgress());
    layout->addWidget(buildSummary(), 1);
    connect(&view, &ProcessingView::changed, this, &ProcessingScreen::render);
    render();
}

QWidget* ProcessingScreen::buildProgress()
{
    progress = new QWidget(this);
    progressBar = new QProgressBar(progress);
    progressBar->setRange(0, 100);
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
    auto* column = new QVBoxLayout(progress);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(progressBar);
    column->addLayout(row);
    column->addWidget(currentPath);
    column->addStretch();
    return progress;
}

QWidget* ProcessingScreen::buildSummary()
{
    summary = new QWidget(this);
    figures = new RunSummaryPanel(strings, summary);
    records = new LogTableModel(strings, this);
    auto* showLogs = namedButton(strings.getLocalizedStringForKey(StringKey::SHOW_LOGS), summary);
    auto* close = namedButton(strings.getLocalizedStringForKey(StringKey::CLOSE), summary);
    connect(showLogs, &QPushButton::clicked, this, &ProcessingScreen::showLogsRequested);
    connect(close, &QPushButton::clicked, this, &ProcessingScreen::closeRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
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
    }
    summaryFilled = finished;
}

} // namespace fw
