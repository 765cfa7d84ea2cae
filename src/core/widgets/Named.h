#pragma once

#include <QString>

namespace fw {

// A control whose accessible name is also its tool tip, so a screen reader
// and a pointing user learn the same name; returns the control for chaining
// into layouts.
template <typename Control> Control* named(Control* control, const QString& name)
{
    control->setAccessibleName(name);
    control->setToolTip(name);
    return control;
}

} // namespace fw
