#pragma once

#include "processing/OutputOptionSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace fw {

class LocalizedStrings;
class DialogQueue;

// The output settings panel without its widgets: the output format and its
// quality, the output file name, and the destination folder, read into one
// record when a run starts. One panel exists; the window may show it in two
// places. Main thread only. (getOutputSettingObject, txtSuffix and the other
// names of the design are kept on purpose.)
class SettingView : public QObject {
    Q_OBJECT
public:
    struct FormatSection {
        bool isKeepOriginalFormat = true;
        int selectedFormatOptionIndex = 0;
        QString qualityText = QString::number(ImageService::defaultQualityPercent);
        // "*.TIF" ... of the chosen format.
        QString selectedFormatText;
        bool isQualityAreaShown = false;
        bool areConvertControlsEnabled = false;
        // WebP and JPEG XL offer lossless writing, which makes the quality
        // moot.
        bool isLosslessShown = false;
        bool isLossless = false;
        // A MetadataOption code and its words.
        int metadataOption = 0;
        QString metadataText;
    };
    struct FileNameSection {
        int selectedFileNameOptionIndex = 0;
        QString txtSuffix;
        QString chosenOptionText;
        QString placeholderText;
        QString captionText;
        // The field shows prefix or suffix text in the normal colour.
        bool isFieldTextNormal = false;
        bool isResetEnabled = false;
        // The template option's counter start, the fault of its template
        // (empty when there is none), and the names the first marked photos
        // would get.
        bool isTemplateChosen = false;
        int counterStart = 1;
        QString templateProblem;
        QString sampleNamesText;
    };
    struct FolderSection {
        bool isKeepOriginalFolder = false;
        QString ouptputFolder;
        bool isSelectFolderEnabled = true;
        bool isResetEnabled = false;
        bool isKeepFolderHierarchy = false;
        bool isKeepFolderHierarchyEnabled = true;
        bool isAskBeforeOverwrite = true;
    };

    // The destination folder of a fresh panel: the user's Pictures folder
    // with the product's folder in it.
    SettingView(LocalizedStrings& strings, DialogQueue& dialogs, QString defaultFolder,
                QObject* parent = nullptr);

    const FormatSection& format() const { return formatSection; }
    const FileNameSection& fileName() const { return fileNameSection; }
    const FolderSection& folder() const { return folderSection; }
    // "*.TIF" ... and the file-name options, as the pop-up lists show them.
    static QStringList formatTexts();
    QStringList fileNameTexts() const;
    QStringList metadataTexts() const;

    // Format section.
    // Every output choice back to its default.
    void resetAll();
    void btnKeepOriginalFormatTapped() { btnResetFormatTapped(); }
    void btnResetFormatTapped();
    void btnConvertFormatTapped();
    void formatSelectionChangedWithIndex(int index);
    void upDownCompressionQualityTapped(bool up);
    // The quality field's text as the filter let it through; an empty field
    // shows the last value again when it loses the focus.
    void qualityTextEdited(const QString& text);
    void qualityEditingFinished();
    void btnLosslessTapped(bool on);
    void metadataSelectionChangedWithIndex(int index);

    // File-name section.
    void filenameSelectionChangedWithIndex(int index);
    void btnResetFilenameTapped() { filenameSelectionChangedWithIndex(0); }
    void controlTextDidChange(const QString& text);
    void counterStartChanged(int start);
    // The names the first marked photos would get, shown under the template.
    void setSampleNames(const QStringList& names);

    // Folder section. The widgets open the chooser on folderChooserRequested
    // and hand the choice to folderChooserEnded (an empty path for Cancel).
    void btnKeepOriginalFolderTapped();
    void btnOutputToFolderTapped();
    void btnSelectFolderTapped();
    void folderChooserEnded(const QString& chosenFolder);
    void btnResetFolderTapped();
    void btnKeepFolderHierarchyTapped(bool on);
    void btnAskbeforeOverwriteTapped(bool on);

    OutputOptionSettings getOutputSettingObject() const;
    // Shows a record (the last run's choices) as the panel's state.
    void showOutputSettings(const OutputOptionSettings& output);

Q_SIGNALS:
    void changed();
    void folderChooserRequested(const QString& startFolder);

private:
    void enableResetFilenameButton();
    void checkTemplate();

    LocalizedStrings& strings;
    DialogQueue& dialogs;
    const QString defaultFolder;
    FormatSection formatSection;
    FileNameSection fileNameSection;
    FolderSection folderSection;
    QString lastValidQuality = QString::number(ImageService::defaultQualityPercent);
};

} // namespace fw
