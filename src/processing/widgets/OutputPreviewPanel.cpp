#include "processing/widgets/OutputPreviewPanel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/Named.h"
#include "processing/OutputPreview.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace fw {

namespace {

QLabel* plainLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

} // namespace

OutputPreviewPanel::OutputPreviewPanel(OutputPreview& preview, LocalizedStrings& strings,
                                       QWidget* parent)
    : QWidget(parent), preview(preview), strings(strings)
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    auto* box = named(new QGroupBox(text(StringKey::PREVIEW), this), text(StringKey::PREVIEW));
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(
        buildPicture(text(StringKey::PREVIEW_ORIGINAL), originalPicture, originalCaption));
    pictures->addWidget(
        buildPicture(text(StringKey::PREVIEW_OUTPUT), outputPicture, outputCaption));
    previous = named(new QPushButton(QStringLiteral("◀"), box), text(StringKey::PREVIEW_PREVIOUS));
    next = named(new QPushButton(QStringLiteral("▶"), box), text(StringKey::PREVIEW_NEXT));
    photoLabel = plainLabel(box);
    photoLabel->setAlignment(Qt::AlignCenter);
    auto* stepper = new QHBoxLayout;
    stepper->addWidget(previous);
    stepper->addWidget(photoLabel, 1);
    stepper->addWidget(next);
    estimate = plainLabel(box);
    auto* column = new QVBoxLayout(box);
    column->addLayout(pictures);
    column->addLayout(stepper);
    column->addWidget(estimate);
    column->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    connect(previous, &QPushButton::clicked, this, [this] { this->preview.showPrevious(); });
    connect(next, &QPushButton::clicked, this, [this] { this->preview.showNext(); });
    connect(&preview, &OutputPreview::changed, this, &OutputPreviewPanel::render);
    render();
}

QWidget* OutputPreviewPanel::buildPicture(const QString& title, QLabel*& picture, QLabel*& caption)
{
    auto* column = new QWidget(this);
    auto* heading = plainLabel(column);
    heading->setText(title);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    picture = named(new QLabel(column), title);
    picture->setFixedSize(OutputPreview::pictureSide, OutputPreview::pictureSide);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    caption = plainLabel(column);
    caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(picture);
    layout->addWidget(caption);
    return column;
}

void OutputPreviewPanel::render()
{
    const OutputPreview::Shown& shown = preview.shown();
    const auto showPicture = [](QLabel* label, const QImage& image, const QString& caption,
                                const QString& title) {
        label->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
        // A screen reader says which picture and what it shows.
        label->setAccessibleName(caption.isEmpty() ? title : title + ": " + caption);
    };
    const QString originalTitle = strings.getLocalizedStringForKey(StringKey::PREVIEW_ORIGINAL);
    const QString outputTitle = strings.getLocalizedStringForKey(StringKey::PREVIEW_OUTPUT);
    showPicture(originalPicture, shown.original, shown.originalCaption, originalTitle);
    showPicture(outputPicture, shown.output, shown.outputCaption, outputTitle);
    originalCaption->setText(shown.photoName + '\n' + shown.originalCaption);
    outputCaption->setText(shown.outputCaption);
    photoLabel->setText(
        shown.photoNumber == 0
            ? QString()
            : strings.getLocalizedStringForKey(StringKey::PREVIEW_PHOTO_OF)
                  .replace(QStringLiteral("%@"),
                           QStringLiteral("%1 / %2").arg(shown.photoNumber).arg(shown.photoCount)));
    photoLabel->setAccessibleName(photoLabel->text());
    previous->setEnabled(shown.photoNumber > 1);
    next->setEnabled(shown.photoNumber > 0 && shown.photoNumber < shown.photoCount);
    estimate->setText(shown.estimateText);
}

} // namespace fw
