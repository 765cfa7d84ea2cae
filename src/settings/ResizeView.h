#pragma once

#include "processing/SizeObject.h"

#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

namespace fw {

class Batch;
class LocalizedStrings;
class NotificationCenter;

// The resize screen without its widgets: the ways to size the outputs (own
// size, a preset, a custom size, a percentage, fit inside a box, a long or a
// short edge), the bounds and the aspect coupling of the number fields, the
// no-enlarging choice, and the presets, stored under "PROJECT_SESSION" and
// added to after a run. Main thread only.
// (isPredefinedSizeNotSlectedAnyValue and getReSizeSettingObject are the
// design's names, kept on purpose.)
class ResizeView : public QObject {
    Q_OBJECT
public:
    enum SizeOption {
        KeepOriginal = 0,
        Preset = 1,
        Custom = 2,
        Percent = 3,
        FitInside = 4,
        LongEdge = 5,
        ShortEdge = 6,
    };
    enum Field {
        CustomWidth,
        CustomHeight,
        PercentWidth,
        PercentHeight,
        FitWidth,
        FitHeight,
        LongEdgeLength,
        ShortEdgeLength,
        FieldCount,
    };

    struct State {
        int option = KeepOriginal;
        bool isKeepAspectRatio = false;
        bool isSaveAsPreset = false;
        // A photo smaller than the size keeps its own: on by default for the
        // fit and edge sizes, off for the custom and percent sizes.
        bool isNoEnlarge = false;
        // The fields' texts, in Field order.
        QStringList fields = {"200", "200", "100", "100", "1920", "1080", "1600", "1080"};
        QString presetText;
        bool areCustomFieldsEnabled = false;
        bool arePercentFieldsEnabled = false;
        // The field pair or field of a fit or edge size.
        bool areFitFieldsEnabled = false;
        bool isLongEdgeFieldEnabled = false;
        bool isShortEdgeFieldEnabled = false;
        bool isKeepAspectRatioEnabled = false;
        bool isPresetChoiceEnabled = false;
        // A chosen preset may be taken out of the list.
        bool isRemovePresetEnabled = false;
        bool areCheckBoxesEnabled = false;
        bool isResetEnabled = false;
    };

    ResizeView(const Batch& batch, LocalizedStrings& strings, NotificationCenter& notifications,
               QSettings& store, QObject* parent = nullptr);

    const State& state() const { return screen; }
    QSizeF referenceSize() const { return selectedPhotoFileSize; }
    const QList<SizeObject>& presets() const { return arrPredefinedSize; }
    // The preset list's rows, as the list and the preset text show them.
    QStringList presetTexts() const;

    // Takes the reference size from the batch; the custom fields show it
    // unless the user has typed a size since the last reset.
    void setDefaultCustomSize();
    void resetTextFields();
    void changeSizeSettingWithSelectedOption(int option);
    void predefinedSizeSelectedAtIndex(int index);
    void calculateAspectedValuesForTextField(Field field);
    SizeObject getReSizeSettingObject();
    bool isPredefinedSizeNotSlectedAnyValue() const;
    void savePredefinedSizeObject();
    void loadPresets();

    // The user's actions.
    void btnKeepOriginalSizeTapped(bool checked);
    void btnPredefinedSizeTapped() { changeSizeSettingWithSelectedOption(Preset); }
    void btnCustomSizeTapped() { changeSizeSettingWithSelectedOption(Custom); }
    void btnPercentSizeTapped() { changeSizeSettingWithSelectedOption(Percent); }
    void upDownTapped(Field field, bool up);
    void btnResetSettingTapped();
    void btnRemovePresetTapped();
    // A field's new text as typed or pasted; "," is taken out.
    void controlTextDidChange(Field field, const QString& text);
    // Ticking keep-aspect-ratio couples the pair again at once, as if its
    // width had been typed again, so the outputs are never distorted.
    void setKeepAspectRatio(bool keep);
    void setSaveAsPreset(bool save);
    void setNoEnlarge(bool noEnlarge);
    // Shows a size record (a remembered one) as the current choice; a
    // preset's record shows as its own kind of size.
    void showSize(const SizeObject& size);

Q_SIGNALS:
    void changed();
    void presetsChanged();

private:
    QString presetTextOf(const SizeObject& size) const;
    void coupleWidth(Field widthField, Field heightField, bool percentMode);
    void coupleHeight(Field widthField, Field heightField, bool percentMode);
    void boundAlone(Field field);
    void saveProjectSession();
    float valueOf(Field field) const;
    void setValue(Field field, qint64 value);
    bool isDuplicate(const SizeObject& candidate) const;
    static bool isSized(int option);
    static bool isModeOption(int option);
    void noteTyped(Field field);

    const Batch& batch;
    LocalizedStrings& strings;
    QSettings& store;
    State screen;
    QSizeF selectedPhotoFileSize{200, 200};
    QList<SizeObject> arrPredefinedSize;
    std::optional<int> selectedPredefinedSizeIndex;
    std::optional<SizeObject> selectedSizeObj;
    bool isCustomSizeTyped = false;
    // Stored data that could not be decoded, kept aside before a new preset
    // replaces it.
    bool storedPresetsUnreadable = false;
};

} // namespace fw
