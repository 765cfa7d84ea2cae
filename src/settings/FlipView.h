#pragma once

#include "core/Codes.h"

#include <QList>
#include <QObject>

namespace fw {

// The flip panel without its widgets: no flip, a horizontal or a vertical
// one; exactly one choice at a time, so a run never flips both ways. Main
// thread only. (getFlipSettongObject is the design's name, kept on purpose.)
class FlipView : public QObject {
    Q_OBJECT
public:
    explicit FlipView(QObject* parent = nullptr);

    int option() const { return flip; }
    bool isFlipHorizontal() const { return flip == FlipOption::Horizontal; }
    bool isFlipVertical() const { return flip == FlipOption::Vertical; }
    bool isResetEnabled() const { return flip != FlipOption::None; }
    // Whether the horizontal, then the vertical flip is on.
    QList<bool> getFlipSettongObject() const { return {isFlipHorizontal(), isFlipVertical()}; }

    void changeSettingWithSelectedOption(int option);
    void btnKeepOriginalTapped() { changeSettingWithSelectedOption(FlipOption::None); }
    void btnHorizontalflipTapped() { changeSettingWithSelectedOption(FlipOption::Horizontal); }
    void btnVerticalflipTapped() { changeSettingWithSelectedOption(FlipOption::Vertical); }
    void btnResetSettingTapped() { changeSettingWithSelectedOption(FlipOption::None); }

Q_SIGNALS:
    void changed();

private:
    int flip = FlipOption::None;
};

} // namespace fw
