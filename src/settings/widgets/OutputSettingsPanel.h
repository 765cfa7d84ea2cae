#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace fw {

class LocalizedStrings;
class SettingView;
class SteppedField;

// The output settings panel's widgets: format and quality, metadata, file
// name, and destination folder, showing SettingView and handing it the user's actions.
// The folder chooser is a folders-only dialog, opened window-modal.
class OutputSettingsPanel : public QWidget {
    Q_OBJECT
public:
    OutputSettingsPanel(SettingView& view, LocalizedStrings& strings, QWidget* parent = nullptr);

    QWidget* qualityArea() const { return qualityBox; }
    QLineEdit* affixField() const { return affix; }

private:
    QWidget* buildFormatSection();
    QWidget* buildMetadataSection();
    QWidget* buildFileNameSection();
    QWidget* buildTemplateArea(QWidget* parent);
    QWidget* buildFolderSection();
    void connectActions();
    void render();
    void renderFileName();
    void renderFolder();
    void openFolderChooser(const QString& startFolder);

    SettingView& view;
    LocalizedStrings& strings;
    QRadioButton* keepFormat = nullptr;
    QRadioButton* convertFormat = nullptr;
    QPushButton* formatButton = nullptr;
    QPushButton* resetFormat = nullptr;
    QWidget* qualityBox = nullptr;
    SteppedField* quality = nullptr;
    QCheckBox* lossless = nullptr;
    QPushButton* metadataButton = nullptr;
    QPushButton* fileNameButton = nullptr;
    QLabel* affixCaption = nullptr;
    QLineEdit* affix = nullptr;
    QPushButton* resetFileName = nullptr;
    QWidget* templateArea = nullptr;
    QSpinBox* counterStart = nullptr;
    QLabel* templateProblem = nullptr;
    QLabel* sampleNames = nullptr;
    QRadioButton* keepFolder = nullptr;
    QRadioButton* intoFolder = nullptr;
    QLabel* folderLabel = nullptr;
    QPushButton* selectFolder = nullptr;
    QPushButton* resetFolder = nullptr;
    QCheckBox* keepHierarchy = nullptr;
    QCheckBox* askBeforeOverwrite = nullptr;
};

} // namespace fw
