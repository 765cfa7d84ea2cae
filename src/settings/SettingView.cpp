#include "settings/SettingView.h"

#include "batch/TrashRule.h"
#include "core/Codes.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/NativePath.h"
#include "processing/KnownFormats.h"
#include "processing/NameTemplate.h"

#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSettings, "framewright.settings", QtCriticalMsg)

constexpr int longestAffix = 30;
constexpr int longestTemplate = 120;

struct FileNameTexts {
    const char* option;
    const char* placeholder;
    const char* caption;
};

const FileNameTexts& textsOfFileNameOption(int index)
{
    static const FileNameTexts texts[] = {
        {StringKey::ORIGINAL_NAME, StringKey::ORIGINAL_NAME, StringKey::CAPTION_ORIGINAL_NAME},
        {StringKey::ORIGINAL_NAME_WIDTH, StringKey::ORIGINAL_NAME_WIDTH, StringKey::CAPTION_OPTION},
        {StringKey::ADD_PREFIX, StringKey::ENTER_PREFIX, StringKey::CAPTION_PREFIX},
        {StringKey::ADD_SUFFIX, StringKey::ENTER_SUFFIX, StringKey::CAPTION_SUFFIX},
        {StringKey::NAME_TEMPLATE, StringKey::ENTER_TEMPLATE, StringKey::CAPTION_TEMPLATE},
    };
    return texts[std::clamp(index, 0, static_cast<int>(FileNameOption::Template))];
}

const char* metadataKeyOf(int option)
{
    static const char* const keys[] = {StringKey::METADATA_KEPT_ALL,
                                       StringKey::METADATA_WITHOUT_LOCATION,
                                       StringKey::METADATA_PICTURE_ONLY};
    return keys[std::clamp(option, 0, static_cast<int>(MetadataOption::PictureOnly))];
}

bool isAffixOption(int index)
{
    return index == FileNameOption::Prefix || index == FileNameOption::Suffix;
}

} // namespace

SettingView::SettingView(LocalizedStrings& strings, DialogQueue& dialogs, QString defaultFolder,
                         QObject* parent)
    : QObject(parent), strings(strings), dialogs(dialogs), defaultFolder(std::move(defaultFolder))
{
    resetAll();
}

void SettingView::resetAll()
{
    btnResetFormatTapped();
    metadataSelectionChangedWithIndex(MetadataOption::KeepAll);
    btnResetFilenameTapped();
    btnResetFolderTapped();
}

QStringList SettingView::formatTexts()
{
    QStringList texts;
    for (const QString& extension : KnownFormats::extensions())
        texts << "*." + extension.toUpper();
    return texts;
}

QStringList SettingView::fileNameTexts() const
{
    QStringList texts;
    for (int index = 0; index <= FileNameOption::Template; ++index)
        texts << strings.getLocalizedStringForKey(textsOfFileNameOption(index).option);
    return texts;
}

QStringList SettingView::metadataTexts() const
{
    QStringList texts;
    for (int option = 0; option <= MetadataOption::PictureOnly; ++option)
        texts << strings.getLocalizedStringForKey(metadataKeyOf(option));
    return texts;
}

// Keeping each photo's format always leaves the first format and quality 75.
void SettingView::btnResetFormatTapped()
{
    formatSection.isKeepOriginalFormat = true;
    formatSection.areConvertControlsEnabled = false;
    formatSection.isLossless = false;
    formatSection.qualityText = lastValidQuality =
        QString::number(ImageService::defaultQualityPercent);
    formatSelectionChangedWithIndex(FormatIndex::Tif);
}

void SettingView::btnConvertFormatTapped()
{
    formatSection.isKeepOriginalFormat = false;
    formatSection.areConvertControlsEnabled = true;
    Q_EMIT changed();
}

void SettingView::formatSelectionChangedWithIndex(int index)
{
    if (index < 0 || index >= KnownFormats::extensions().size())
        return;
    formatSection.selectedFormatOptionIndex = index;
    formatSection.selectedFormatText = formatTexts().at(index);
    formatSection.isQualityAreaShown = KnownFormats::isLossy(index);
    formatSection.isLosslessShown = KnownFormats::offersLossless(index);
    formatSection.isLossless = formatSection.isLossless && formatSection.isLosslessShown;
    Q_EMIT changed();
}

void SettingView::btnLosslessTapped(bool on)
{
    formatSection.isLossless = on && formatSection.isLosslessShown;
    Q_EMIT changed();
}

void SettingView::metadataSelectionChangedWithIndex(int index)
{
    if (index < MetadataOption::KeepAll || index > MetadataOption::PictureOnly)
        return;
    formatSection.metadataOption = index;
    formatSection.metadataText = strings.getLocalizedStringForKey(metadataKeyOf(index));
    Q_EMIT changed();
}

void SettingView::upDownCompressionQualityTapped(bool up)
{
    const int value = formatSection.qualityText.toInt();
    if (up && value < 100)
        formatSection.qualityText = QString::number(value + 1);
    else if (!up && value > 0)
        formatSection.qualityText = QString::number(value - 1);
    lastValidQuality = formatSection.qualityText;
    Q_EMIT changed();
}

void SettingView::qualityTextEdited(const QString& text)
{
    formatSection.qualityText = text;
    if (!text.isEmpty())
        lastValidQuality = text;
    Q_EMIT changed();
}

// An empty field would mean quality 0, the encoder's worst.
void SettingView::qualityEditingFinished()
{
    if (formatSection.qualityText.isEmpty()) {
        formatSection.qualityText = lastValidQuality;
        Q_EMIT changed();
    }
}

void SettingView::filenameSelectionChangedWithIndex(int index)
{
    if (index < 0 || index > FileNameOption::Template)
        return;
    const FileNameTexts& texts = textsOfFileNameOption(index);
    fileNameSection.txtSuffix.clear();
    fileNameSection.chosenOptionText = strings.getLocalizedStringForKey(texts.option);
    fileNameSection.placeholderText = strings.getLocalizedStringForKey(texts.placeholder);
    fileNameSection.isTemplateChosen = index == FileNameOption::Template;
    fileNameSection.isFieldTextNormal = isAffixOption(index) || fileNameSection.isTemplateChosen;
    fileNameSection.captionText = strings.getLocalizedStringForKey(texts.caption);
    fileNameSection.selectedFileNameOptionIndex = index;
    fileNameSection.counterStart = 1;
    checkTemplate();
    enableResetFilenameButton();
}

void SettingView::enableResetFilenameButton()
{
    const int index = fileNameSection.selectedFileNameOptionIndex;
    fileNameSection.isResetEnabled = index == FileNameOption::WithPixelSize ||
                                     ((isAffixOption(index) || fileNameSection.isTemplateChosen) &&
                                      !fileNameSection.txtSuffix.isEmpty());
    Q_EMIT changed();
}

// The text can always be part of a file name, pasted or typed. A template
// keeps its braces and colons; its text is filtered as it names a file.
void SettingView::controlTextDidChange(const QString& text)
{
    fileNameSection.txtSuffix =
        fileNameSection.isTemplateChosen
            ? Utils::firstCharacters(text, longestTemplate)
            : Utils::firstCharacters(Utils::validFileNameString(text), longestAffix);
    checkTemplate();
    enableResetFilenameButton();
}

void SettingView::counterStartChanged(int start)
{
    fileNameSection.counterStart = std::max(0, start);
    Q_EMIT changed();
}

void SettingView::checkTemplate()
{
    fileNameSection.templateProblem.clear();
    if (!fileNameSection.isTemplateChosen)
        return;
    const NameTemplate nameTemplate(fileNameSection.txtSuffix);
    if (const std::optional<QString> unknown = nameTemplate.unknownToken())
        fileNameSection.templateProblem =
            strings.getLocalizedStringForKey(StringKey::TEMPLATE_UNKNOWN_TOKEN)
                .replace(QStringLiteral("%@"), *unknown);
    else if (nameTemplate.isEmpty())
        fileNameSection.templateProblem =
            strings.getLocalizedStringForKey(StringKey::TEMPLATE_EMPTY);
}

void SettingView::setSampleNames(const QStringList& names)
{
    const QString text = names.isEmpty()
                             ? QString()
                             : strings.getLocalizedStringForKey(StringKey::NAME_EXAMPLES)
                                   .replace(QStringLiteral("%@"), names.join(QStringLiteral(", ")));
    if (text == fileNameSection.sampleNamesText)
        return;
    fileNameSection.sampleNamesText = text;
    Q_EMIT changed();
}

void SettingView::btnKeepOriginalFolderTapped()
{
    folderSection.isKeepOriginalFolder = true;
    folderSection.isSelectFolderEnabled = false;
    folderSection.isResetEnabled = true;
    folderSection.isKeepFolderHierarchy = false;
    folderSection.isKeepFolderHierarchyEnabled = false;
    Q_EMIT changed();
}

void SettingView::btnOutputToFolderTapped()
{
    folderSection.isKeepOriginalFolder = false;
    folderSection.isSelectFolderEnabled = true;
    folderSection.isResetEnabled = false;
    folderSection.isKeepFolderHierarchy = false;
    folderSection.isKeepFolderHierarchyEnabled = true;
    Q_EMIT changed();
}

// The default folder is made first, so the chooser can start in it; when it
// cannot be made the chooser still opens.
void SettingView::btnSelectFolderTapped()
{
    if (!NativePath::makePath(defaultFolder))
        qCWarning(logSettings) << "cannot make the default folder" << defaultFolder;
    dialogs.request([this] {
        Q_EMIT folderChooserRequested(defaultFolder);
        return true;
    });
}

// Paths keep their case and are compared exactly: the file system tells
// "Photos" from "photos". A folder in the trash is refused without a word.
void SettingView::folderChooserEnded(const QString& chosenFolder)
{
    dialogs.closed();
    if (chosenFolder.isEmpty() || TrashRule::forCurrentUser().isInTrash(chosenFolder)) {
        Q_EMIT changed();
        return;
    }
    if (chosenFolder != folderSection.ouptputFolder)
        folderSection.isResetEnabled = true;
    folderSection.ouptputFolder = chosenFolder;
    Q_EMIT changed();
}

void SettingView::btnResetFolderTapped()
{
    btnOutputToFolderTapped();
    folderSection.isKeepFolderHierarchy = false;
    folderSection.isAskBeforeOverwrite = true;
    folderSection.ouptputFolder = defaultFolder;
    Q_EMIT changed();
}

void SettingView::btnKeepFolderHierarchyTapped(bool on)
{
    folderSection.isKeepFolderHierarchy = on;
    folderSection.isResetEnabled = true;
    Q_EMIT changed();
}

void SettingView::btnAskbeforeOverwriteTapped(bool on)
{
    folderSection.isAskBeforeOverwrite = on;
    folderSection.isResetEnabled = true;
    Q_EMIT changed();
}

OutputOptionSettings SettingView::getOutputSettingObject() const
{
    OutputOptionSettings output;
    output.formatOption =
        formatSection.isKeepOriginalFormat ? FormatOption::KeepFormat : FormatOption::Convert;
    output.selectedFileFormat = formatSection.selectedFormatOptionIndex;
    output.compressionRatio =
        (formatSection.qualityText.isEmpty() ? lastValidQuality : formatSection.qualityText)
            .toInt();
    output.isLossless = formatSection.isLossless;
    output.metadataOption = formatSection.metadataOption;
    output.filenameOption = fileNameSection.selectedFileNameOptionIndex;
    if (fileNameSection.isTemplateChosen)
        output.nameTemplate = fileNameSection.txtSuffix;
    else
        output.prefixString = fileNameSection.txtSuffix;
    output.counterStart = fileNameSection.counterStart;
    output.folderOption =
        folderSection.isKeepOriginalFolder ? FolderOption::BesideSource : FolderOption::IntoFolder;
    output.ouptputFolder = folderSection.ouptputFolder;
    output.keepFolderHierarchy = folderSection.isKeepFolderHierarchy;
    output.askBeforeOverwrite = folderSection.isAskBeforeOverwrite;
    return output;
}

void SettingView::showOutputSettings(const OutputOptionSettings& output)
{
    btnResetFormatTapped();
    if (output.formatOption == FormatOption::Convert) {
        btnConvertFormatTapped();
        formatSelectionChangedWithIndex(output.selectedFileFormat);
        formatSection.qualityText = lastValidQuality =
            QString::number(std::clamp(output.compressionRatio, 0, 100));
        btnLosslessTapped(output.isLossless);
    }
    metadataSelectionChangedWithIndex(output.metadataOption);
    filenameSelectionChangedWithIndex(output.filenameOption);
    controlTextDidChange(output.filenameOption == FileNameOption::Template ? output.nameTemplate
                                                                           : output.prefixString);
    counterStartChanged(output.counterStart);
    if (output.folderOption == FolderOption::BesideSource) {
        btnKeepOriginalFolderTapped();
    } else {
        btnOutputToFolderTapped();
        if (!output.ouptputFolder.isEmpty()) {
            folderSection.ouptputFolder = output.ouptputFolder;
            folderSection.isResetEnabled = output.ouptputFolder != defaultFolder;
        }
        if (output.keepFolderHierarchy)
            btnKeepFolderHierarchyTapped(true);
    }
    if (!output.askBeforeOverwrite)
        btnAskbeforeOverwriteTapped(false);
}

} // namespace fw
