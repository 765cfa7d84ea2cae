#include "settings/SettingView.h"

#include "batch/TrashRule.h"
#include "core/Codes.h"
#include "core/DialogQueue.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "platform/NativePath.h"
#include "processing/KnownFormats.h"

#include <QLoggingCategory>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logSettings, "framewright.settings", QtCriticalMsg)

constexpr int longestAffix = 30;

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
    };
    return texts[std::clamp(index, 0, 3)];
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
    btnKeepOriginalFormatTapped();
    filenameSelectionChangedWithIndex(FileNameOption::SourceName);
    btnOutputToFolderTapped();
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
    for (int index = 0; index < 4; ++index)
        texts << strings.getLocalizedStringForKey(textsOfFileNameOption(index).option);
    return texts;
}

// Keeping each photo's format always leaves the first format and quality 75.
void SettingView::btnResetFormatTapped()
{
    formatSection.isKeepOriginalFormat = true;
    formatSection.areConvertControlsEnabled = false;
    formatSection.qualityText = lastValidQuality = QString::number(ImageService::defaultQualityPercent);
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
    if (index < 0 || index > FileNameOption::Suffix)
        return;
    const FileNameTexts& texts = textsOfFileNameOption(index);
    fileNameSection.txtSuffix.clear();
    fileNameSection.chosenOptionText = strings.getLocalizedStringForKey(texts.option);
    fileNameSection.placeholderText = strings.getLocalizedStringForKey(texts.placeholder);
    fileNameSection.isFieldTextNormal = isAffixOption(index);
    fileNameSection.captionText = strings.getLocalizedStringForKey(texts.caption);
    fileNameSection.selectedFileNameOptionIndex = index;
    enableResetFilenameButton();
}

void SettingView::enableResetFilenameButton()
{
    const int index = fileNameSection.selectedFileNameOptionIndex;
    fileNameSection.isResetEnabled = index == FileNameOption::WithPixelSize ||
                                     (isAffixOption(index) && !fileNameSection.txtSuffix.isEmpty());
    Q_EMIT changed();
}

// The text can always be part of a file name, pasted or typed.
void SettingView::controlTextDidChange(const QString& text)
{
    fileNameSection.txtSuffix =
        Utils::firstCharacters(Utils::validFileNameString(text), longestAffix);
    enableResetFilenameButton();
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
    output.filenameOption = fileNameSection.selectedFileNameOptionIndex;
    output.prefixString = fileNameSection.txtSuffix;
    output.folderOption =
        folderSection.isKeepOriginalFolder ? FolderOption::BesideSource : FolderOption::IntoFolder;
    output.ouptputFolder = folderSection.ouptputFolder;
    output.keepFolderHierarchy = folderSection.isKeepFolderHierarchy;
    output.askBeforeOverwrite = folderSection.isAskBeforeOverwrite;
    return output;
}

} // namespace fw
