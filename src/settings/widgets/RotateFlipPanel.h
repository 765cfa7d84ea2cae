#pragma once

#include <QWidget>

class QButtonGroup;
class QPushButton;

namespace fw {

class FlipView;
class LocalizedStrings;
class RotateView;

// The rotate and flip panels' widgets, side by side: a group of choices each
// with its reset button, showing RotateView and FlipView.
class RotateFlipPanel : public QWidget {
    Q_OBJECT
public:
    RotateFlipPanel(RotateView& rotate, FlipView& flip, LocalizedStrings& strings,
                    QWidget* parent = nullptr);

private:
    void render();

    RotateView& rotate;
    FlipView& flip;
    QButtonGroup* rotations;
    QButtonGroup* flips;
    QPushButton* resetRotation;
    QPushButton* resetFlip;
};

} // namespace fw
