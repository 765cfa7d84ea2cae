#pragma once

#include <QStringList>
#include <functional>

class QWidget;

namespace fw {

// The pop-up option list beside a button: a menu of the texts that closes on
// a choice or a click elsewhere and is moved through with the keyboard. The
// chosen row goes to the callback; closing without a choice does nothing.
class PopupList {
public:
    PopupList() = delete;

    static void openBeside(QWidget* button, const QStringList& texts,
                           const std::function<void(int row)>& chosen);
};

} // namespace fw
