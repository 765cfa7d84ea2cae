#include "settings/ResizeView.h"

#include "batch/Batch.h"
#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/NotificationCenter.h"
#include "core/NotificationNames.h"
#include "core/StringKeys.h"
#include "core/Utils.h"
#include "settings/ProjectSession.h"

#include <QLoggingCategory>
#include <QSettings>
#include <cmath>
#include <limits>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logResize, "framewright.presets", QtCriticalMsg)

constexpr float largestSide = 10000;
constexpr qint64 largestCustom = 10000;
constexpr qint64 largestPercent = 1000;

// Truncated toward zero, with values no integer field can hold (an infinite
// ratio from an empty reference side) pinned to the field's range.
qint64 truncated(double value)
{
    if (std::isnan(value))
        return 0;
    const double limit = std::numeric_limits<int>::max();
    return static_cast<qint64>(std::clamp(std::trunc(value), -limit, limit));
}

bool isWidth(ResizeView::Field field)
{
    return field == ResizeView::CustomWidth || field == ResizeView::PercentWidth;
}

bool isPercent(ResizeView::Field field)
{
    return field == ResizeView::PercentWidth || field == ResizeView::PercentHeight;
}

// The fit and edge fields each keep to their own bound; only the custom and
// percent pairs are coupled by the aspect ratio.
bool isCoupled(ResizeView::Field field)
{
    return field <= ResizeView::PercentHeight;
}

int sizeModeOf(int option)
{
    switch (option) {
    case ResizeView::FitInside:
        return SizeMode::FitInside;
    case ResizeView::LongEdge:
        return SizeMode::LongEdge;
    case ResizeView::ShortEdge:
        return SizeMode::ShortEdge;
    default:
        return SizeMode::Classic;
    }
}

} // namespace

ResizeView::ResizeView(const Batch& batch, LocalizedStrings& strings,
                       NotificationCenter& notifications, QSettings& store, QObject* parent)
    : QObject(parent), batch(batch), strings(strings), store(store)
{
    notifications.addObserver(this, NotificationName::notificationsSaveasPredefinedSize,
                              [this](const QVariantMap&) { savePredefinedSizeObject(); });
    loadPresets();
    resetTextFields();
}

// The reference is the last marked photo, else 200 x 200; a marked photo of
// no size gives way to the last photo of the batch.
void ResizeView::setDefaultCustomSize()
{
    const auto sizeOf = [](const PhotoFilePtr& photo) {
        return QSizeF(photo->width, photo->height);
    };
    const QList<PhotoFilePtr> marked = batch.markedPhotos();
    QSizeF reference = marked.isEmpty() ? QSizeF(200, 200) : sizeOf(marked.last());
    const QList<PhotoFilePtr>& photos = batch.arraySelectedImagesToProcess();
    if (reference.width() <= 0 && reference.height() <= 0)
        reference = photos.isEmpty() ? QSizeF(0, 0) : sizeOf(photos.last());
    selectedPhotoFileSize = reference;
    if (!isCustomSizeTyped) {
        setValue(CustomWidth, truncated(reference.width()));
        setValue(CustomHeight, truncated(reference.height()));
    }
    Q_EMIT changed();
}

void ResizeView::resetTextFields()
{
    isCustomSizeTyped = false;
    setDefaultCustomSize();
    screen.isKeepAspectRatio = false;
    setValue(PercentWidth, 100);
    setValue(PercentHeight, 100);
    changeSizeSettingWithSelectedOption(KeepOriginal);
}

bool ResizeView::isSized(int option)
{
    return option != KeepOriginal && option != Preset;
}

bool ResizeView::isModeOption(int option)
{
    return option == FitInside || option == LongEdge || option == ShortEdge;
}

void ResizeView::changeSizeSettingWithSelectedOption(int option)
{
    screen.option = option;
    const bool classic = option == Custom || option == Percent;
    const bool sized = isSized(option);
    screen.isKeepAspectRatio = sized;
    screen.isKeepAspectRatioEnabled = classic;
    screen.isSaveAsPreset = sized;
    screen.isNoEnlarge = isModeOption(option);
    screen.areCustomFieldsEnabled = option == Custom;
    screen.arePercentFieldsEnabled = option == Percent;
    screen.areFitFieldsEnabled = option == FitInside;
    screen.isLongEdgeFieldEnabled = option == LongEdge;
    screen.isShortEdgeFieldEnabled = option == ShortEdge;
    screen.isPresetChoiceEnabled = option == Preset;
    screen.areCheckBoxesEnabled = sized;
    screen.isResetEnabled = option != KeepOriginal;
    selectedPredefinedSizeIndex.reset();
    screen.isRemovePresetEnabled = false;
    screen.presetText = strings.getLocalizedStringForKey(StringKey::PRESET_SELECT);
    if (classic)
        calculateAspectedValuesForTextField(option == Percent ? PercentWidth : CustomWidth);
    Q_EMIT changed();
}

void ResizeView::predefinedSizeSelectedAtIndex(int index)
{
    if (index < 0 || index >= arrPredefinedSize.size())
        return;
    selectedPredefinedSizeIndex = index;
    screen.presetText = presetTextOf(arrPredefinedSize.at(index));
    screen.isRemovePresetEnabled = true;
    Q_EMIT changed();
}

QStringList ResizeView::presetTexts() const
{
    QStringList texts;
    for (const SizeObject& preset : arrPredefinedSize)
        texts << presetTextOf(preset);
    return texts;
}

QString ResizeView::presetTextOf(const SizeObject& size) const
{
    const auto number = [](double value) { return QString::number(truncated(value)); };
    const auto edge = [&](const char* key) {
        return strings.getLocalizedStringForKey(key).replace("%d", number(size.edgeLength));
    };
    if (size.sizeMode == SizeMode::FitInside)
        return strings.getLocalizedStringForKey(StringKey::PRESET_FIT)
            .replace("%d X %d", number(size.customWidth) + " X " + number(size.customHeight));
    if (size.sizeMode == SizeMode::LongEdge)
        return edge(StringKey::PRESET_LONG_EDGE);
    if (size.sizeMode == SizeMode::ShortEdge)
        return edge(StringKey::PRESET_SHORT_EDGE);
    if (!size.name.isEmpty())
        return QStringLiteral("%1 - %2 X %3")
            .arg(size.name, number(size.customWidth), number(size.customHeight));
    if (size.isCustomSize)
        return strings.getLocalizedStringForKey(StringKey::PRESET_CUSTOM)
            .replace("%d X %d", number(size.customWidth) + " X " + number(size.customHeight));
    return strings.getLocalizedStringForKey(StringKey::PRESET_PERCENT)
        .replace("%d X %d", number(size.perWidth) + " X " + number(size.perHeight));
}

float ResizeView::valueOf(Field field) const
{
    return screen.fields.at(field).toFloat();
}

void ResizeView::setValue(Field field, qint64 value)
{
    screen.fields[field] = QString::number(value);
}

// With keep-aspect-ratio the partner follows (equal percentages, or the
// reference photo's proportions); a value whose pixel size would pass 10000
// is divided by ten, and the partner follows it too, so the pair stays
// coupled. Without it each field keeps to its own bound. Either way a field
// below 1 becomes 1, so clearing a field gives 1 at once.
void ResizeView::calculateAspectedValuesForTextField(Field field)
{
    if (!isCoupled(field)) {
        boundAlone(field);
        Q_EMIT changed();
        return;
    }
    const bool percentPair = isPercent(field);
    const Field widthField = percentPair ? PercentWidth : CustomWidth;
    const Field heightField = percentPair ? PercentHeight : CustomHeight;
    const bool percentMode = screen.option == Percent;
    const bool coupling = screen.isKeepAspectRatio && selectedPhotoFileSize.width() > 0 &&
                          selectedPhotoFileSize.height() > 0;
    if (coupling && isWidth(field))
        coupleWidth(widthField, heightField, percentMode);
    else if (coupling)
        coupleHeight(widthField, heightField, percentMode);
    else
        boundAlone(field);
    if (valueOf(widthField) < 1)
        setValue(widthField, 1);
    else if (valueOf(heightField) < 1)
        setValue(heightField, 1);
    Q_EMIT changed();
}

void ResizeView::coupleWidth(Field widthField, Field heightField, bool percentMode)
{
    const float sourceWidth = static_cast<float>(selectedPhotoFileSize.width());
    const float sourceHeight = static_cast<float>(selectedPhotoFileSize.height());
    const float width = valueOf(widthField);
    const float newHeight = static_cast<float>(
        Utils::aspectFitSizeWithMaxSize(sourceWidth, sourceHeight, width).height());
    setValue(heightField, newHeight > 0 ? truncated(percentMode ? width : newHeight) : 1);
    const float pixels = percentMode ? static_cast<float>(width * sourceWidth / 100) : width;
    const QSizeF fitted = Utils::aspectFitSizeWithMaxSize(sourceWidth, sourceHeight, pixels);
    if (fitted.width() > largestSide || fitted.height() > largestSide) {
        setValue(widthField, truncated(width) / 10);
        coupleWidth(widthField, heightField, percentMode);
    }
}

void ResizeView::coupleHeight(Field widthField, Field heightField, bool percentMode)
{
    const double sourceWidth = selectedPhotoFileSize.width();
    const double sourceHeight = selectedPhotoFileSize.height();
    const float height = valueOf(heightField);
    const float newWidth = static_cast<float>(sourceWidth * height / sourceHeight);
    setValue(widthField, newWidth > 0 ? truncated(percentMode ? height : newWidth) : 1);
    const float pixelHeight =
        percentMode ? static_cast<float>(height * sourceHeight / 100) : height;
    const float pixelWidth =
        percentMode ? static_cast<float>(sourceWidth * pixelHeight / sourceHeight) : newWidth;
    if (pixelHeight > largestSide || pixelWidth > largestSide) {
        setValue(heightField, truncated(height) / 10);
        coupleHeight(widthField, heightField, percentMode);
    }
}

void ResizeView::boundAlone(Field field)
{
    const qint64 bound = isPercent(field) ? largestPercent : largestCustom;
    const qint64 value = screen.fields.at(field).toLongLong();
    if (value > bound)
        setValue(field, value / 10);
    else if (value < 1)
        setValue(field, 1);
}

SizeObject ResizeView::getReSizeSettingObject()
{
    if (screen.option == Preset && selectedPredefinedSizeIndex) {
        selectedSizeObj = arrPredefinedSize.at(*selectedPredefinedSizeIndex);
        return *selectedSizeObj;
    }
    SizeObject size;
    if (screen.option == Preset) {
        size.isKeepOriginalSize = true;
    } else if (isModeOption(screen.option)) {
        size.sizeMode = sizeModeOf(screen.option);
        if (screen.option == FitInside) {
            size.customWidth = screen.fields.at(FitWidth).toInt();
            size.customHeight = screen.fields.at(FitHeight).toInt();
        } else {
            size.edgeLength =
                screen.fields.at(screen.option == LongEdge ? LongEdgeLength : ShortEdgeLength)
                    .toInt();
        }
        size.isKeepAspectRatio = true;
        size.isNoEnlarge = screen.isNoEnlarge;
    } else {
        size.customWidth = screen.fields.at(CustomWidth).toInt();
        size.customHeight = screen.fields.at(CustomHeight).toInt();
        size.perWidth = screen.fields.at(PercentWidth).toInt();
        size.perHeight = screen.fields.at(PercentHeight).toInt();
        size.isCustomSize = screen.option == Custom;
        size.isPercentSize = screen.option == Percent;
        size.isKeepAspectRatio = screen.isKeepAspectRatio;
        size.isKeepOriginalSize = screen.option == KeepOriginal;
        size.isNoEnlarge = screen.isNoEnlarge && screen.option != KeepOriginal;
    }
    selectedSizeObj = size;
    return size;
}

bool ResizeView::isPredefinedSizeNotSlectedAnyValue() const
{
    return screen.option == Preset && !selectedPredefinedSizeIndex;
}

// A custom size is compared with the custom presets only, a percentage with
// the percent presets only, so no new preset is lost to the unused fields of
// another kind.
bool ResizeView::isDuplicate(const SizeObject& candidate) const
{
    return std::any_of(arrPredefinedSize.cbegin(), arrPredefinedSize.cend(),
                       [&candidate](const SizeObject& preset) {
                           if (preset.sizeMode != candidate.sizeMode)
                               return false;
                           if (candidate.sizeMode != SizeMode::Classic)
                               return preset == candidate;
                           if (candidate.isCustomSize)
                               return preset.isCustomSize &&
                                      preset.customWidth == candidate.customWidth &&
                                      preset.customHeight == candidate.customHeight;
                           return preset.isPercentSize && !preset.isCustomSize &&
                                  preset.perWidth == candidate.perWidth &&
                                  preset.perHeight == candidate.perHeight;
                       });
}

void ResizeView::savePredefinedSizeObject()
{
    if (!isSized(screen.option) || !screen.isSaveAsPreset || !selectedSizeObj ||
        isDuplicate(*selectedSizeObj))
        return;
    arrPredefinedSize.append(*selectedSizeObj);
    saveProjectSession();
    Q_EMIT presetsChanged();
}

void ResizeView::loadPresets()
{
    const ProjectSession::Loaded loaded = ProjectSession::loadPresets(store);
    arrPredefinedSize = loaded.presets;
    storedPresetsUnreadable = loaded.unreadable;
    Q_EMIT presetsChanged();
}

// Data that could not be read is kept aside under its own key before the
// first new preset takes its place, so nothing the user had is lost unseen.
void ResizeView::saveProjectSession()
{
    if (storedPresetsUnreadable) {
        store.setValue(ProjectSession::unreadableKey, store.value(ProjectSession::settingsKey));
        qCWarning(logResize) << "unreadable presets kept under" << ProjectSession::unreadableKey;
        storedPresetsUnreadable = false;
    }
    ProjectSession::saveProjectSession(store, arrPredefinedSize);
}

void ResizeView::btnKeepOriginalSizeTapped(bool checked)
{
    changeSizeSettingWithSelectedOption(checked ? KeepOriginal : Custom);
}

// Custom fields step up to 10000 and percent fields to 1000; stepping down
// stops at 0, which the bounds then raise to 1.
void ResizeView::upDownTapped(Field field, bool up)
{
    const qint64 value = screen.fields.at(field).toLongLong();
    const qint64 highest = isPercent(field) ? largestPercent - 1 : largestCustom - 1;
    if (up && value <= highest)
        setValue(field, value + 1);
    else if (!up && value > 0)
        setValue(field, value - 1);
    noteTyped(field);
    calculateAspectedValuesForTextField(field);
}

void ResizeView::btnRemovePresetTapped()
{
    if (screen.option != Preset || !selectedPredefinedSizeIndex)
        return;
    arrPredefinedSize.removeAt(*selectedPredefinedSizeIndex);
    saveProjectSession();
    changeSizeSettingWithSelectedOption(Preset);
    Q_EMIT presetsChanged();
}

void ResizeView::btnResetSettingTapped()
{
    changeSizeSettingWithSelectedOption(KeepOriginal);
    resetTextFields();
}

void ResizeView::controlTextDidChange(Field field, const QString& text)
{
    screen.fields[field] = QString(text).remove(',');
    noteTyped(field);
    calculateAspectedValuesForTextField(field);
}

// A size the user gave is theirs: photos added later change the reference
// for the proportions, not the fields.
void ResizeView::noteTyped(Field field)
{
    if (!isPercent(field))
        isCustomSizeTyped = true;
}

void ResizeView::setKeepAspectRatio(bool keep)
{
    screen.isKeepAspectRatio = keep;
    if (keep)
        calculateAspectedValuesForTextField(screen.option == Percent ? PercentWidth : CustomWidth);
    Q_EMIT changed();
}

void ResizeView::setSaveAsPreset(bool save)
{
    screen.isSaveAsPreset = save;
    Q_EMIT changed();
}

void ResizeView::setNoEnlarge(bool noEnlarge)
{
    screen.isNoEnlarge = noEnlarge;
    Q_EMIT changed();
}

void ResizeView::showSize(const SizeObject& size)
{
    if (size.isKeepOriginalSize ||
        (size.sizeMode == SizeMode::Classic && !size.isCustomSize && !size.isPercentSize)) {
        changeSizeSettingWithSelectedOption(KeepOriginal);
        return;
    }
    const int option = size.sizeMode == SizeMode::FitInside   ? FitInside
                       : size.sizeMode == SizeMode::LongEdge  ? LongEdge
                       : size.sizeMode == SizeMode::ShortEdge ? ShortEdge
                       : size.isCustomSize                    ? Custom
                                                              : Percent;
    const Field edgeField = option == ShortEdge ? ShortEdgeLength : LongEdgeLength;
    const std::pair<Field, double> values[] = {
        {CustomWidth, size.customWidth}, {CustomHeight, size.customHeight},
        {PercentWidth, size.perWidth},   {PercentHeight, size.perHeight},
        {FitWidth, size.customWidth},    {FitHeight, size.customHeight},
        {edgeField, size.edgeLength}};
    for (const auto& [field, value] : values) {
        const bool used = option == Custom      ? field == CustomWidth || field == CustomHeight
                          : option == Percent   ? isPercent(field)
                          : option == FitInside ? field == FitWidth || field == FitHeight
                                                : field == edgeField;
        if (used && value >= 1)
            setValue(field, truncated(value));
    }
    isCustomSizeTyped = isCustomSizeTyped || option == Custom;
    changeSizeSettingWithSelectedOption(option);
    screen.isKeepAspectRatio = size.isKeepAspectRatio || isModeOption(option);
    screen.isSaveAsPreset = false;
    screen.isNoEnlarge = size.isNoEnlarge;
    Q_EMIT changed();
}

} // namespace fw
