#include "settings/widgets/ResizePanel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/Named.h"
#include "settings/OnlyIntegerValueFormatter.h"
#include "settings/ResizeView.h"
#include "settings/widgets/PopupList.h"
#include "settings/widgets/SteppedField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fw {

namespace {

QLabel* title(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

ResizePanel::ResizePanel(ResizeView& view, LocalizedStrings& strings, QWidget* parent)
    : QWidget(parent), view(view),
      sizeFilter(new OnlyIntegerValueFormatter(OnlyIntegerValueFormatter::unlimited, true,
                                               OnlyIntegerValueFormatter::unlimited, this))
{
    build(strings);
    connectActions();
    connect(&view, &ResizeView::changed, this, &ResizePanel::render);
    render();
}

void ResizePanel::build(LocalizedStrings& strings)
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    keepOriginal = named(new QCheckBox(text(StringKey::KEEP_ORIGINAL_SIZE), this),
                         text(StringKey::KEEP_ORIGINAL_SIZE));
    presetChoice = named(new QRadioButton(text(StringKey::PRESET_OPTION), this),
                         text(StringKey::PRESET_OPTION));
    customChoice = named(new QRadioButton(text(StringKey::CUSTOM_WIDTH_HEIGHT), this),
                         text(StringKey::CUSTOM_WIDTH_HEIGHT));
    percentChoice = named(new QRadioButton(text(StringKey::PERCENT_WIDTH_HEIGHT), this),
                          text(StringKey::PERCENT_WIDTH_HEIGHT));
    choices = new QButtonGroup(this);
    for (QRadioButton* choice : {presetChoice, customChoice, percentChoice})
        choices->addButton(choice);
    presetButton = named(new QPushButton(this), text(StringKey::CHOOSE_PRESET));
    removePreset = named(new QPushButton(text(StringKey::REMOVE_PRESET), this),
                         text(StringKey::REMOVE_PRESET));
    const QString width = text(StringKey::W);
    const QString height = text(StringKey::H);
    const QString increase = text(StringKey::INCREASE);
    const QString decrease = text(StringKey::DECREASE);
    const QString names[] = {text(StringKey::CUSTOM_WIDTH_HEIGHT) + ' ' + width,
                             text(StringKey::CUSTOM_WIDTH_HEIGHT) + ' ' + height,
                             text(StringKey::PERCENT_WIDTH_HEIGHT) + ' ' + width,
                             text(StringKey::PERCENT_WIDTH_HEIGHT) + ' ' + height};
    for (int which = 0; which < 4; ++which)
        fields[which] = new SteppedField(names[which], increase, decrease, sizeFilter, this);
    keepAspect = named(new QCheckBox(text(StringKey::KEEP_ASPECT_RATIO), this),
                       text(StringKey::KEEP_ASPECT_RATIO));
    saveAsPreset = named(new QCheckBox(text(StringKey::SAVE_AS_PRESET), this),
                         text(StringKey::SAVE_AS_PRESET));
    reset = named(new QPushButton(text(StringKey::RESET), this), text(StringKey::RESET));

    auto* grid = new QGridLayout;
    grid->addWidget(presetChoice, 0, 0);
    grid->addWidget(presetButton, 0, 1, 1, 4);
    grid->addWidget(removePreset, 0, 5);
    grid->addWidget(customChoice, 1, 0);
    grid->addWidget(new QLabel(width, this), 1, 1);
    grid->addWidget(fields[ResizeView::CustomWidth], 1, 2);
    grid->addWidget(new QLabel(height + " :", this), 1, 3);
    grid->addWidget(fields[ResizeView::CustomHeight], 1, 4);
    grid->addWidget(percentChoice, 2, 0);
    grid->addWidget(new QLabel(width, this), 2, 1);
    grid->addWidget(fields[ResizeView::PercentWidth], 2, 2);
    grid->addWidget(new QLabel(height, this), 2, 3);
    grid->addWidget(fields[ResizeView::PercentHeight], 2, 4);
    grid->setColumnStretch(6, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title(text(StringKey::RESIZE_OPTIONS), this));
    layout->addWidget(keepOriginal);
    layout->addWidget(new QLabel(text(StringKey::OR), this));
    layout->addLayout(grid);
    layout->addWidget(keepAspect);
    layout->addWidget(saveAsPreset);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addStretch();
}

void ResizePanel::connectActions()
{
    connect(keepOriginal, &QCheckBox::clicked, this,
            [this](bool checked) { view.btnKeepOriginalSizeTapped(checked); });
    connect(presetChoice, &QRadioButton::clicked, this, [this] { view.btnPredefinedSizeTapped(); });
    connect(customChoice, &QRadioButton::clicked, this, [this] { view.btnCustomSizeTapped(); });
    connect(percentChoice, &QRadioButton::clicked, this, [this] { view.btnPercentSizeTapped(); });
    connect(presetButton, &QPushButton::clicked, this, &ResizePanel::openPresetList);
    connect(removePreset, &QPushButton::clicked, this, [this] { view.btnRemovePresetTapped(); });
    for (int which = 0; which < 4; ++which) {
        const auto field = static_cast<ResizeView::Field>(which);
        connect(fields[which], &SteppedField::textEdited, this,
                [this, field](const QString& text) { view.controlTextDidChange(field, text); });
        connect(fields[which], &SteppedField::stepped, this,
                [this, field](bool up) { view.upDownTapped(field, up); });
    }
    connect(keepAspect, &QCheckBox::clicked, this,
            [this](bool checked) { view.setKeepAspectRatio(checked); });
    connect(saveAsPreset, &QCheckBox::clicked, this,
            [this](bool checked) { view.setSaveAsPreset(checked); });
    connect(reset, &QPushButton::clicked, this, [this] { view.btnResetSettingTapped(); });
}

void ResizePanel::render()
{
    const ResizeView::State& state = view.state();
    keepOriginal->setChecked(state.option == ResizeView::KeepOriginal);
    // An exclusive group keeps one button checked; keeping the original size
    // checks none.
    choices->setExclusive(false);
    presetChoice->setChecked(state.option == ResizeView::Preset);
    customChoice->setChecked(state.option == ResizeView::Custom);
    percentChoice->setChecked(state.option == ResizeView::Percent);
    choices->setExclusive(true);
    presetButton->setText(state.presetText);
    presetButton->setEnabled(state.isPresetChoiceEnabled);
    removePreset->setEnabled(state.isRemovePresetEnabled);
    for (int which = 0; which < 4; ++which)
        fields[which]->showText(state.fields.at(which));
    fields[ResizeView::CustomWidth]->setFieldEnabled(state.areCustomFieldsEnabled);
    fields[ResizeView::CustomHeight]->setFieldEnabled(state.areCustomFieldsEnabled);
    fields[ResizeView::PercentWidth]->setFieldEnabled(state.arePercentFieldsEnabled);
    fields[ResizeView::PercentHeight]->setFieldEnabled(state.arePercentFieldsEnabled);
    keepAspect->setChecked(state.isKeepAspectRatio);
    saveAsPreset->setChecked(state.isSaveAsPreset);
    keepAspect->setEnabled(state.areCheckBoxesEnabled);
    saveAsPreset->setEnabled(state.areCheckBoxesEnabled);
    reset->setEnabled(state.isResetEnabled);
}

void ResizePanel::openPresetList()
{
    PopupList::openBeside(presetButton, view.presetTexts(),
                          [this](int row) { view.predefinedSizeSelectedAtIndex(row); });
}

} // namespace fw
