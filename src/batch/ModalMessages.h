#pragma once

#include <QString>

namespace fw {

// Messages that stop the user until they are read: a text, an optional
// informative line and one "OK" button. The window gives the dialogs; tests
// give an implementation that records what was shown. Main thread only; the
// call returns when the user has dismissed the message.
class ModalMessages {
public:
    virtual ~ModalMessages() = default;
    virtual void showMessage(const QString& text, const QString& informativeText = {}) = 0;
};

} // namespace fw
