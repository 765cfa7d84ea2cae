#include "settings/widgets/OutputSettingsPanel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/widgets/FilteredText.h"
#include "core/widgets/FolderChooser.h"
#include "core/widgets/Named.h"
#include "core/widgets/PlainToolTip.h"
#include "processing/NameTemplate.h"
#include "settings/OnlyIntegerValueFormatter.h"
#include "settings/SettingView.h"
#include "settings/widgets/PopupList.h"
#include "settings/widgets/SteppedField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace fw {

namespace {

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

OutputSettingsPanel::OutputSettingsPanel(SettingView& view, LocalizedStrings& strings,
                                         QWidget* parent)
    : QWidget(parent), view(view), strings(strings)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFormatSection());
    layout->addWidget(buildMetadataSection());
    layout->addWidget(buildFileNameSection());
    layout->addWidget(buildFolderSection());
    layout->addStretch();
    connectActions();
    connect(&view, &SettingView::changed, this, &OutputSettingsPanel::render);
    connect(&view, &SettingView::folderChooserRequested, this,
            &OutputSettingsPanel::openFolderChooser);
    render();
}

QWidget* OutputSettingsPanel::buildFormatSection()
{
    const auto text = [this](const char* key) { return strings.getLocalizedStringForKey(key); };
    auto* box =
        named(new QGroupBox(text(StringKey::OUTPUT_FORMAT), this), text(StringKey::OUTPUT_FORMAT));
    keepFormat = named(new QRadioButton(text(StringKey::RETAIN_ORIGINAL_FORMAT), box),
                       text(StringKey::RETAIN_ORIGINAL_FORMAT));
    convertFormat = named(new QRadioButton(text(StringKey::CONVERT_FORMAT), box),
                          text(StringKey::CONVERT_FORMAT));
    auto* choices = new QButtonGroup(box);
    choices->addButton(keepFormat);
    choices->addButton(convertFormat);
    formatButton = named(new QPushButton(box), text(StringKey::CHOOSE_FORMAT));
    resetFormat = named(new QPushButton(text(StringKey::RESET), box),
                        text(StringKey::RESET) + ' ' + text(StringKey::OUTPUT_FORMAT));
    qualityBox = new QWidget(box);
    quality = new SteppedField(
        text(StringKey::QUALITY_FIELD), text(StringKey::INCREASE), text(StringKey::DECREASE),
        new OnlyIntegerValueFormatter(100, false, OnlyIntegerValueFormatter::unlimited, this),
        qualityBox);
    auto* qualityLayout = new QHBoxLayout(qualityBox);
    qualityLayout->setContentsMargins(0, 0, 0, 0);
    qualityLayout->addWidget(plainLabel(text(StringKey::QUALITY_CAPTION), qualityBox));
    qualityLayout->addWidget(quality);
    lossless =
        named(new QCheckBox(text(StringKey::LOSSLESS), qualityBox), text(StringKey::LOSSLESS));
    qualityLayout->addWidget(lossless);
    qualityLayout->addStretch();
    auto* grid = new QGridLayout(box);
    grid->addWidget(keepFormat, 0, 0);
    grid->addWidget(convertFormat, 1, 0);
    grid->addWidget(formatButton, 1, 1);
    grid->addWidget(qualityBox, 2, 0, 1, 2);
    grid->addWidget(resetFormat, 3, 0, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* OutputSettingsPanel::buildMetadataSection()
{
    const auto text = [this](const char* key) { return strings.getLocalizedStringForKey(key); };
    auto* box = named(new QGroupBox(text(StringKey::METADATA), this), text(StringKey::METADATA));
    metadataButton = named(new QPushButton(box), text(StringKey::CHOOSE_METADATA));
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(metadataButton);
    layout->addStretch();
    return box;
}

QWidget* OutputSettingsPanel::buildFileNameSection()
{
    const auto text = [this](const char* key) { return strings.getLocalizedStringForKey(key); };
    auto* box = named(new QGroupBox(text(StringKey::OUTPUT_FILE_NAME), this),
                      text(StringKey::OUTPUT_FILE_NAME));
    fileNameButton = named(new QPushButton(box), text(StringKey::CHOOSE_FILE_NAME));
    affixCaption = plainLabel(QString(), box);
    affix = named(new QLineEdit(box), text(StringKey::OUTPUT_FILE_NAME));
    resetFileName = named(new QPushButton(text(StringKey::RESET), box),
                          text(StringKey::RESET) + ' ' + text(StringKey::OUTPUT_FILE_NAME));
    auto* grid = new QGridLayout(box);
    grid->addWidget(fileNameButton, 0, 0, 1, 2);
    grid->addWidget(affixCaption, 1, 0);
    grid->addWidget(affix, 1, 1);
    grid->addWidget(buildTemplateArea(box), 2, 0, 1, 2);
    grid->addWidget(resetFileName, 3, 0, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    return box;
}

// The tokens a template takes, its counter's start, what is wrong with it,
// and the names it gives the first marked photos.
QWidget* OutputSettingsPanel::buildTemplateArea(QWidget* parent)
{
    const auto text = [this](const char* key) { return strings.getLocalizedStringForKey(key); };
    templateArea = new QWidget(parent);
    auto* tokens = plainLabel(text(StringKey::TEMPLATE_TOKENS), templateArea);
    tokens->setWordWrap(true);
    counterStart = named(new QSpinBox(templateArea), text(StringKey::COUNTER_START));
    counterStart->setRange(0, NameTemplate::largestCounterStart);
    templateProblem = plainLabel(QString(), templateArea);
    templateProblem->setWordWrap(true);
    QPalette warning = templateProblem->palette();
    warning.setColor(QPalette::WindowText, Qt::red);
    templateProblem->setPalette(warning);
    sampleNames = plainLabel(QString(), templateArea);
    sampleNames->setWordWrap(true);
    sampleNames->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(plainLabel(text(StringKey::COUNTER_START), templateArea));
    counterRow->addWidget(counterStart);
    counterRow->addStretch();
    auto* layout = new QVBoxLayout(templateArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tokens);
    layout->addLayout(counterRow);
    layout->addWidget(templateProblem);
    layout->addWidget(sampleNames);
    return templateArea;
}

QWidget* OutputSettingsPanel::buildFolderSection()
{
    const auto text = [this](const char* key) { return strings.getLocalizedStringForKey(key); };
    auto* box =
        named(new QGroupBox(text(StringKey::OUTPUT_FOLDER), this), text(StringKey::OUTPUT_FOLDER));
    keepFolder = named(new QRadioButton(text(StringKey::KEEP_ORIGINAL_FOLDER), box),
                       text(StringKey::KEEP_ORIGINAL_FOLDER));
    intoFolder = named(new QRadioButton(text(StringKey::OUTPUT_TO_FOLDER), box),
                       text(StringKey::OUTPUT_TO_FOLDER));
    auto* choices = new QButtonGroup(box);
    choices->addButton(keepFolder);
    choices->addButton(intoFolder);
    folderLabel = plainLabel(QString(), box);
    folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folderLabel->setWordWrap(true);
    selectFolder = named(new QPushButton(text(StringKey::SELECT_FOLDER), box),
                         text(StringKey::SELECT_DEST_FOLDER));
    resetFolder = named(new QPushButton(text(StringKey::RESET), box),
                        text(StringKey::RESET) + ' ' + text(StringKey::OUTPUT_FOLDER));
    keepHierarchy = named(new QCheckBox(text(StringKey::KEEP_FOLDER_HIERARCHY), box),
                          text(StringKey::KEEP_FOLDER_HIERARCHY));
    askBeforeOverwrite = named(new QCheckBox(text(StringKey::ASK_BEFORE_OVERWRITE), box),
                               text(StringKey::ASK_BEFORE_OVERWRITE));
    auto* grid = new QGridLayout(box);
    grid->addWidget(keepFolder, 0, 0, 1, 2);
    grid->addWidget(intoFolder, 1, 0);
    grid->addWidget(selectFolder, 1, 1, Qt::AlignLeft);
    grid->addWidget(folderLabel, 2, 0, 1, 3);
    grid->addWidget(keepHierarchy, 3, 0, 1, 3);
    grid->addWidget(askBeforeOverwrite, 4, 0, 1, 3);
    grid->addWidget(resetFolder, 5, 0, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    return box;
}

void OutputSettingsPanel::connectActions()
{
    connect(keepFormat, &QRadioButton::clicked, this,
            [this] { view.btnKeepOriginalFormatTapped(); });
    connect(convertFormat, &QRadioButton::clicked, this, [this] { view.btnConvertFormatTapped(); });
    connect(resetFormat, &QPushButton::clicked, this, [this] { view.btnResetFormatTapped(); });
    connect(formatButton, &QPushButton::clicked, this, [this] {
        PopupList::openBeside(formatButton, SettingView::formatTexts(),
                              [this](int row) { view.formatSelectionChangedWithIndex(row); });
    });
    connect(quality, &SteppedField::textEdited, this,
            [this](const QString& text) { view.qualityTextEdited(text); });
    connect(quality, &SteppedField::stepped, this,
            [this](bool up) { view.upDownCompressionQualityTapped(up); });
    connect(quality, &SteppedField::focusLeft, this, [this] { view.qualityEditingFinished(); });
    connect(lossless, &QCheckBox::clicked, this, [this](bool on) { view.btnLosslessTapped(on); });
    connect(metadataButton, &QPushButton::clicked, this, [this] {
        PopupList::openBeside(metadataButton, view.metadataTexts(),
                              [this](int row) { view.metadataSelectionChangedWithIndex(row); });
    });
    connect(counterStart, &QSpinBox::valueChanged, this,
            [this](int start) { view.counterStartChanged(start); });
    connect(fileNameButton, &QPushButton::clicked, this, [this] {
        PopupList::openBeside(fileNameButton, view.fileNameTexts(), [this](int row) {
            view.filenameSelectionChangedWithIndex(row);
            affix->setFocus();
        });
    });
    connect(affix, &QLineEdit::textEdited, this,
            [this](const QString& text) { view.controlTextDidChange(text); });
    connect(resetFileName, &QPushButton::clicked, this, [this] { view.btnResetFilenameTapped(); });
    connect(keepFolder, &QRadioButton::clicked, this,
            [this] { view.btnKeepOriginalFolderTapped(); });
    connect(intoFolder, &QRadioButton::clicked, this, [this] { view.btnOutputToFolderTapped(); });
    connect(selectFolder, &QPushButton::clicked, this, [this] { view.btnSelectFolderTapped(); });
    connect(resetFolder, &QPushButton::clicked, this, [this] { view.btnResetFolderTapped(); });
    connect(keepHierarchy, &QCheckBox::clicked, this,
            [this](bool on) { view.btnKeepFolderHierarchyTapped(on); });
    connect(askBeforeOverwrite, &QCheckBox::clicked, this,
            [this](bool on) { view.btnAskbeforeOverwriteTapped(on); });
}

void OutputSettingsPanel::render()
{
    const SettingView::FormatSection& format = view.format();
    keepFormat->setChecked(format.isKeepOriginalFormat);
    convertFormat->setChecked(!format.isKeepOriginalFormat);
    formatButton->setText(format.selectedFormatText);
    formatButton->setEnabled(format.areConvertControlsEnabled);
    resetFormat->setEnabled(format.areConvertControlsEnabled);
    qualityBox->setVisible(format.isQualityAreaShown);
    quality->setFieldEnabled(format.areConvertControlsEnabled && format.isQualityAreaShown &&
                             !format.isLossless);
    quality->showText(format.qualityText);
    lossless->setVisible(format.isLosslessShown);
    lossless->setChecked(format.isLossless);
    lossless->setEnabled(format.areConvertControlsEnabled);
    metadataButton->setText(format.metadataText);
    renderFileName();
    renderFolder();
}

void OutputSettingsPanel::renderFileName()
{
    const SettingView::FileNameSection& name = view.fileName();
    fileNameButton->setText(name.chosenOptionText);
    affixCaption->setText(name.captionText);
    affix->setPlaceholderText(name.placeholderText);
    FilteredText::show(*affix, name.txtSuffix);
    QPalette palette = affix->palette();
    palette.setColor(QPalette::Text, name.isFieldTextNormal
                                         ? QPalette().color(QPalette::Text)
                                         : QPalette().color(QPalette::PlaceholderText));
    affix->setPalette(palette);
    // Only a prefix, a suffix or a template takes text; with the other
    // options a typed text would be ignored, and the field says so.
    affix->setEnabled(name.isFieldTextNormal);
    resetFileName->setEnabled(name.isResetEnabled);
    templateArea->setVisible(name.isTemplateChosen);
    if (counterStart->value() != name.counterStart)
        counterStart->setValue(name.counterStart);
    templateProblem->setText(name.templateProblem);
    templateProblem->setVisible(!name.templateProblem.isEmpty());
    sampleNames->setText(name.sampleNamesText);
    sampleNames->setVisible(name.templateProblem.isEmpty() && !name.sampleNamesText.isEmpty());
}

void OutputSettingsPanel::renderFolder()
{
    const SettingView::FolderSection& folder = view.folder();
    keepFolder->setChecked(folder.isKeepOriginalFolder);
    intoFolder->setChecked(!folder.isKeepOriginalFolder);
    folderLabel->setText(folder.ouptputFolder);
    folderLabel->setToolTip(PlainToolTip::richTextOf(folder.ouptputFolder));
    selectFolder->setEnabled(folder.isSelectFolderEnabled);
    resetFolder->setEnabled(folder.isResetEnabled);
    keepHierarchy->setChecked(folder.isKeepFolderHierarchy);
    keepHierarchy->setEnabled(folder.isKeepFolderHierarchyEnabled);
    askBeforeOverwrite->setChecked(folder.isAskBeforeOverwrite);
}

void OutputSettingsPanel::openFolderChooser(const QString& startFolder)
{
    FolderChooser::open(window(), strings.getLocalizedStringForKey(StringKey::SELECT_DEST_FOLDER),
                        startFolder,
                        [this](const QString& chosen) { view.folderChooserEnded(chosen); });
}

} // namespace fw
