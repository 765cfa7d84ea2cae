#include "batch/widgets/ProgressSheet.h"

#include "batch/AddPhotosVC.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace fw {

ProgressSheet::ProgressSheet(AddPhotosVC& screen, LocalizedStrings& strings, QWidget* parent)
    : QDialog(parent), screen(screen), countLabel(new QLabel(this)), pathLabel(new QLabel(this))
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(strings.getLocalizedStringForKey(StringKey::ADDING_PHOTOS));
    auto* title = new QLabel(windowTitle(), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    for (QLabel* label : {title, countLabel, pathLabel})
        label->setTextFormat(Qt::PlainText);
    pathLabel->setMinimumWidth(420);
    pathLabel->setMaximumWidth(420);
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setAccessibleName(windowTitle());
    auto* stop = new QPushButton(strings.getLocalizedStringForKey(StringKey::STOP), this);
    stop->setAccessibleName(stop->text());
    connect(stop, &QPushButton::clicked, this, [this] { this->screen.btnStopAddingTapped(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(title);
    layout->addWidget(busy);
    layout->addWidget(countLabel);
    layout->addWidget(pathLabel);
    layout->addWidget(stop, 0, Qt::AlignRight);
}

void ProgressSheet::render()
{
    const AddPhotosVC::ScreenState& state = screen.screen();
    countLabel->setText(state.progressCountText);
    pathLabel->setText(pathLabel->fontMetrics().elidedText(state.progressPathText, Qt::ElideMiddle,
                                                           pathLabel->maximumWidth()));
    if (state.isProgressSheetShown && !isVisible())
        open();
    else if (!state.isProgressSheetShown && isVisible())
        done(QDialog::Accepted);
}

void ProgressSheet::reject()
{
    screen.btnStopAddingTapped();
}

} // namespace fw
