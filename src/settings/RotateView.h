#pragma once

#include "core/Codes.h"

#include <QObject>

namespace fw {

// The rotate panel without its widgets: one rotation for every photo of a
// run (RotationType codes). Main thread only.
class RotateView : public QObject {
    Q_OBJECT
public:
    explicit RotateView(QObject* parent = nullptr);

    int getRotateSettingObject() const { return rotationType; }
    bool isResetEnabled() const { return rotationType != RotationType::None; }

    void changeSettingWithSelectedOption(int option);
    void btnKeepOriginalTapped() { changeSettingWithSelectedOption(RotationType::None); }
    void btnClockwise90Tapped() { changeSettingWithSelectedOption(RotationType::QuarterClockwise); }
    void btnAntiClockwise90Tapped()
    {
        changeSettingWithSelectedOption(RotationType::QuarterCounterClockwise);
    }
    void btnRotate180Tapped() { changeSettingWithSelectedOption(RotationType::HalfTurn); }
    // (The design's spelling, kept on purpose.)
    void btnAutocurrectTapped() { changeSettingWithSelectedOption(RotationType::UprightByTag); }
    void btnResetSettingTapped() { changeSettingWithSelectedOption(RotationType::None); }

Q_SIGNALS:
    void changed();

private:
    int rotationType = RotationType::None;
};

} // namespace fw
