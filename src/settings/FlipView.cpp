#include "settings/FlipView.h"

namespace fw {

FlipView::FlipView(QObject* parent) : QObject(parent) {}

void FlipView::changeSettingWithSelectedOption(int option)
{
    if (option < FlipOption::None || option > FlipOption::Vertical)
        return;
    flip = option;
    Q_EMIT changed();
}

} // namespace fw
