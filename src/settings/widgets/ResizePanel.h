#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;

namespace fw {

class LocalizedStrings;
class OnlyIntegerValueFormatter;
class ResizeView;
class SteppedField;

// The resize screen's widgets: they show ResizeView and hand it the user's
// actions.
class ResizePanel : public QWidget {
    Q_OBJECT
public:
    ResizePanel(ResizeView& view, LocalizedStrings& strings, QWidget* parent = nullptr);

    SteppedField* field(int which) const { return fields[which]; }

private:
    void build(LocalizedStrings& strings);
    QLayout* buildChoiceGrid(LocalizedStrings& strings);
    void connectActions();
    void render();
    void openPresetList();

    ResizeView& view;
    OnlyIntegerValueFormatter* sizeFilter;
    QCheckBox* keepOriginal;
    QRadioButton* presetChoice;
    QRadioButton* customChoice;
    QRadioButton* percentChoice;
    QRadioButton* fitChoice;
    QRadioButton* longEdgeChoice;
    QRadioButton* shortEdgeChoice;
    QButtonGroup* choices;
    QPushButton* removePreset;
    QPushButton* presetButton;
    SteppedField* fields[8];
    QCheckBox* keepAspect;
    QCheckBox* noEnlarge;
    QCheckBox* saveAsPreset;
    QPushButton* reset;
};

} // namespace fw
