#include "settings/widgets/RotateFlipPanel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/Named.h"
#include "settings/FlipView.h"
#include "settings/RotateView.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fw {

namespace {

struct Choice {
    const char* key;
    int code;
};

// A titled group of exclusive choices, each with its code as id, and a reset
// button under them.
QGroupBox* choiceGroup(const QString& title, const QList<Choice>& choices,
                       LocalizedStrings& strings, QButtonGroup* group, QPushButton* reset,
                       QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setAccessibleName(title);
    auto* layout = new QVBoxLayout(box);
    for (const Choice& choice : choices) {
        const QString text = strings.getLocalizedStringForKey(choice.key);
        auto* button = named(new QRadioButton(text, box), text);
        group->addButton(button, choice.code);
        layout->addWidget(button);
    }
    layout->addWidget(reset, 0, Qt::AlignLeft);
    return box;
}

QPushButton* resetButton(const QString& text, const QString& panel, QWidget* parent)
{
    return named(new QPushButton(text, parent), text + ' ' + panel);
}

} // namespace

RotateFlipPanel::RotateFlipPanel(RotateView& rotate, FlipView& flip, LocalizedStrings& strings,
                                 QWidget* parent)
    : QWidget(parent), rotate(rotate), flip(flip), rotations(new QButtonGroup(this)),
      flips(new QButtonGroup(this))
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    resetRotation = resetButton(text(StringKey::RESET), text(StringKey::ROTATE_OPTIONS), this);
    resetFlip = resetButton(text(StringKey::RESET), text(StringKey::FLIP_OPTIONS), this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(
        choiceGroup(text(StringKey::ROTATE_OPTIONS),
                    {{StringKey::ROTATE_NONE, RotationType::None},
                     {StringKey::ROTATE_CLOCKWISE, RotationType::QuarterClockwise},
                     {StringKey::ROTATE_COUNTERCLOCKWISE, RotationType::QuarterCounterClockwise},
                     {StringKey::ROTATE_HALF, RotationType::HalfTurn},
                     {StringKey::ROTATE_AUTO, RotationType::UprightByTag}},
                    strings, rotations, resetRotation, this),
        0, Qt::AlignTop);
    layout->addWidget(choiceGroup(text(StringKey::FLIP_OPTIONS),
                                  {{StringKey::FLIP_NONE, FlipOption::None},
                                   {StringKey::FLIP_HORIZONTAL, FlipOption::Horizontal},
                                   {StringKey::FLIP_VERTICAL, FlipOption::Vertical}},
                                  strings, flips, resetFlip, this),
                      0, Qt::AlignTop);
    rotations->button(RotationType::UprightByTag)->setToolTip(text(StringKey::ROTATE_AUTO_TIP));
    connect(rotations, &QButtonGroup::idClicked, this,
            [this](int code) { this->rotate.changeSettingWithSelectedOption(code); });
    connect(flips, &QButtonGroup::idClicked, this,
            [this](int code) { this->flip.changeSettingWithSelectedOption(code); });
    connect(resetRotation, &QPushButton::clicked, this,
            [this] { this->rotate.btnResetSettingTapped(); });
    connect(resetFlip, &QPushButton::clicked, this, [this] { this->flip.btnResetSettingTapped(); });
    connect(&rotate, &RotateView::changed, this, &RotateFlipPanel::render);
    connect(&flip, &FlipView::changed, this, &RotateFlipPanel::render);
    render();
}

void RotateFlipPanel::render()
{
    rotations->button(rotate.getRotateSettingObject())->setChecked(true);
    flips->button(flip.option())->setChecked(true);
    resetRotation->setEnabled(rotate.isResetEnabled());
    resetFlip->setEnabled(flip.isResetEnabled());
}

} // namespace fw
