#include "processing/widgets/ProcessingScreen.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "processing/ProcessingView.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace fw {

ProcessingScreen::ProcessingScreen(ProcessingView& view, LocalizedStrings& strings, QWidget* parent)
    : QWidget(parent), view(view), strings(strings), title(new QLabel(this)),
      progress(new QProgressBar(this)), progressLine(new QLabel(this)),
      currentPath(new QLabel(this)), summary(new QLabel(this)),
      stop(new QPushButton(strings.getLocalizedStringForKey(StringKey::STOP), this))
{
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    for (QLabel* label : {title, progressLine, currentPath, summary})
        label->setTextFormat(Qt::PlainText);
    currentPath->setWordWrap(true);
    progress->setRange(0, 100);
    progress->setAccessibleName(strings.getLocalizedStringForKey(StringKey::PROCESSING));
    stop->setAccessibleName(stop->text());
    connect(stop, &QPushButton::clicked, this, [this] { this->view.btnStopProcessTapped(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 32, 48, 32);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addWidget(progress);
    layout->addWidget(progressLine);
    layout->addWidget(currentPath);
    layout->addWidget(summary);
    layout->addWidget(stop, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(&view, &ProcessingView::changed, this, &ProcessingScreen::render);
    render();
}

void ProcessingScreen::render()
{
    const bool finished = view.isSummaryShown();
    title->setText(finished ? view.title()
                            : strings.getLocalizedStringForKey(StringKey::PROCESSING));
    progress->setValue(view.progressBarValue());
    progress->setVisible(!finished);
    progressLine->setText(view.progressLine());
    progressLine->setVisible(!finished);
    currentPath->setText(view.currentPath());
    currentPath->setVisible(!finished);
    stop->setVisible(!finished);
    stop->setEnabled(!view.isStopping());
    summary->setText(finished ? summaryText() : QString());
    summary->setVisible(finished);
}

QString ProcessingScreen::summaryText() const
{
    const RunSummary& figures = view.summary();
    const auto line = [this](const char* key, const QString& value) {
        return strings.getLocalizedStringForKey(key) + ' ' + value + '\n';
    };
    QString text = line(StringKey::TOTAL_IMAGE_SELECTED, figures.lblImagesSelected) +
                   line(StringKey::TOTAL_IMAGE_CONVERTED, figures.lblImagesConverted) +
                   line(StringKey::CONVERSION_FAILED, figures.lblConversionFailed) +
                   line(StringKey::SELECTED_BATCH_ORIGINAL_SIZE, figures.lblOldsize) +
                   line(StringKey::NEW_SIZE, figures.lblNewsize) +
                   line(StringKey::TIME_ELAPSED, figures.lblTimeElapsed);
    if (figures.isSpaceSaveShown)
        text += line(StringKey::SPACE_SAVED, figures.lblspaceSave);
    return text.trimmed();
}

} // namespace fw
