#include "settings/RotateView.h"

namespace fw {

RotateView::RotateView(QObject* parent) : QObject(parent) {}

void RotateView::changeSettingWithSelectedOption(int option)
{
    if (option < RotationType::None || option > RotationType::UprightByTag)
        return;
    rotationType = option;
    Q_EMIT changed();
}

} // namespace fw
