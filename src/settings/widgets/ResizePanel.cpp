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
#include <optional>
#include <tuple>

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
    keepAspect = named(new QCheckBox(text(StringKey::KEEP_ASPECT_RATIO), this),
                       text(StringKey::KEEP_ASPECT_RATIO));
    noEnlarge =
        named(new QCheckBox(text(StringKey::NO_ENLARGE), this), text(StringKey::NO_ENLARGE));
    saveAsPreset = named(new QCheckBox(text(StringKey::SAVE_AS_PRESET), this),
                         text(StringKey::SAVE_AS_PRESET));
    reset = named(new QPushButton(text(StringKey::RESET), this), text(StringKey::RESET));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title(text(StringKey::RESIZE_OPTIONS), this));
    layout->addWidget(keepOriginal);
    layout->addWidget(new QLabel(text(StringKey::OR), this));
    layout->addLayout(buildChoiceGrid(strings));
    layout->addWidget(keepAspect);
    layout->addWidget(noEnlarge);
    layout->addWidget(saveAsPreset);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addStretch();
}

// One row a way of sizing: its choice, then its field or pair of fields.
QLayout* ResizePanel::buildChoiceGrid(LocalizedStrings& strings)
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    const auto choice = [&](const char* key) {
        return named(new QRadioButton(text(key), this), text(key));
    };
    presetChoice = choice(StringKey::PRESET_OPTION);
    customChoice = choice(StringKey::CUSTOM_WIDTH_HEIGHT);
    percentChoice = choice(StringKey::PERCENT_WIDTH_HEIGHT);
    fitChoice = choice(StringKey::FIT_INSIDE);
    longEdgeChoice = choice(StringKey::LONG_EDGE);
    shortEdgeChoice = choice(StringKey::SHORT_EDGE);
    choices = new QButtonGroup(this);
    for (QRadioButton* button :
         {presetChoice, customChoice, percentChoice, fitChoice, longEdgeChoice, shortEdgeChoice})
        choices->addButton(button);
    presetButton = named(new QPushButton(this), text(StringKey::CHOOSE_PRESET));
    removePreset = named(new QPushButton(text(StringKey::REMOVE_PRESET), this),
                         text(StringKey::REMOVE_PRESET));
    const QString width = text(StringKey::W);
    const QString height = text(StringKey::H);
    const QString names[] = {text(StringKey::CUSTOM_WIDTH_HEIGHT) + ' ' + width,
                             text(StringKey::CUSTOM_WIDTH_HEIGHT) + ' ' + height,
                             text(StringKey::PERCENT_WIDTH_HEIGHT) + ' ' + width,
                             text(StringKey::PERCENT_WIDTH_HEIGHT) + ' ' + height,
                             text(StringKey::FIT_INSIDE) + ' ' + width,
                             text(StringKey::FIT_INSIDE) + ' ' + height,
                             text(StringKey::LONG_EDGE),
                             text(StringKey::SHORT_EDGE)};
    for (int which = 0; which < ResizeView::FieldCount; ++which)
        fields[which] = new SteppedField(names[which], text(StringKey::INCREASE),
                                         text(StringKey::DECREASE), sizeFilter, this);
    auto* grid = new QGridLayout;
    grid->addWidget(presetChoice, 0, 0);
    grid->addWidget(presetButton, 0, 1, 1, 4);
    grid->addWidget(removePreset, 0, 5);
    const std::tuple<QRadioButton*, ResizeView::Field, std::optional<ResizeView::Field>> rows[] = {
        {customChoice, ResizeView::CustomWidth, ResizeView::CustomHeight},
        {percentChoice, ResizeView::PercentWidth, ResizeView::PercentHeight},
        {fitChoice, ResizeView::FitWidth, ResizeView::FitHeight},
        {longEdgeChoice, ResizeView::LongEdgeLength, std::nullopt},
        {shortEdgeChoice, ResizeView::ShortEdgeLength, std::nullopt}};
    int row = 1;
    for (const auto& [button, first, second] : rows) {
        grid->addWidget(button, row, 0);
        if (second) {
            grid->addWidget(new QLabel(width, this), row, 1);
            grid->addWidget(fields[first], row, 2);
            grid->addWidget(new QLabel(height, this), row, 3);
            grid->addWidget(fields[*second], row, 4);
        } else {
            grid->addWidget(fields[first], row, 2);
        }
        ++row;
    }
    grid->setColumnStretch(6, 1);
    return grid;
}

void ResizePanel::connectActions()
{
    connect(keepOriginal, &QCheckBox::clicked, this,
            [this](bool checked) { view.btnKeepOriginalSizeTapped(checked); });
    connect(presetChoice, &QRadioButton::clicked, this, [this] { view.btnPredefinedSizeTapped(); });
    connect(customChoice, &QRadioButton::clicked, this, [this] { view.btnCustomSizeTapped(); });
    connect(percentChoice, &QRadioButton::clicked, this, [this] { view.btnPercentSizeTapped(); });
    const std::pair<QRadioButton*, int> modeChoices[] = {{fitChoice, ResizeView::FitInside},
                                                         {longEdgeChoice, ResizeView::LongEdge},
                                                         {shortEdgeChoice, ResizeView::ShortEdge}};
    for (const auto& [button, option] : modeChoices)
        connect(button, &QRadioButton::clicked, this,
                [this, option] { view.changeSizeSettingWithSelectedOption(option); });
    connect(presetButton, &QPushButton::clicked, this, &ResizePanel::openPresetList);
    connect(removePreset, &QPushButton::clicked, this, [this] { view.btnRemovePresetTapped(); });
    for (int which = 0; which < ResizeView::FieldCount; ++which) {
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
    connect(noEnlarge, &QCheckBox::clicked, this,
            [this](bool checked) { view.setNoEnlarge(checked); });
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
    fitChoice->setChecked(state.option == ResizeView::FitInside);
    longEdgeChoice->setChecked(state.option == ResizeView::LongEdge);
    shortEdgeChoice->setChecked(state.option == ResizeView::ShortEdge);
    choices->setExclusive(true);
    presetButton->setText(state.presetText);
    presetButton->setEnabled(state.isPresetChoiceEnabled);
    removePreset->setEnabled(state.isRemovePresetEnabled);
    for (int which = 0; which < ResizeView::FieldCount; ++which)
        fields[which]->showText(state.fields.at(which));
    fields[ResizeView::CustomWidth]->setFieldEnabled(state.areCustomFieldsEnabled);
    fields[ResizeView::CustomHeight]->setFieldEnabled(state.areCustomFieldsEnabled);
    fields[ResizeView::PercentWidth]->setFieldEnabled(state.arePercentFieldsEnabled);
    fields[ResizeView::PercentHeight]->setFieldEnabled(state.arePercentFieldsEnabled);
    fields[ResizeView::FitWidth]->setFieldEnabled(state.areFitFieldsEnabled);
    fields[ResizeView::FitHeight]->setFieldEnabled(state.areFitFieldsEnabled);
    fields[ResizeView::LongEdgeLength]->setFieldEnabled(state.isLongEdgeFieldEnabled);
    fields[ResizeView::ShortEdgeLength]->setFieldEnabled(state.isShortEdgeFieldEnabled);
    keepAspect->setChecked(state.isKeepAspectRatio);
    saveAsPreset->setChecked(state.isSaveAsPreset);
    noEnlarge->setChecked(state.isNoEnlarge);
    keepAspect->setEnabled(state.isKeepAspectRatioEnabled);
    saveAsPreset->setEnabled(state.areCheckBoxesEnabled);
    noEnlarge->setEnabled(state.areCheckBoxesEnabled);
    reset->setEnabled(state.isResetEnabled);
}

void ResizePanel::openPresetList()
{
    PopupList::openBeside(presetButton, view.presetTexts(),
                          [this](int row) { view.predefinedSizeSelectedAtIndex(row); });
}

} // namespace fw
