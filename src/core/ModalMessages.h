#pragma once

#include <QString>

namespace fw {

// Messages that stop the user until they are read: a text, an optional
// informative line and one "OK" button. The window gives the dialogs; tests
// give an implementation that records what was shown. Any thread may call;
// the call returns at once, and the message waits its turn behind any
// dialog already open.
class ModalMessages {
public:
    virtual ~ModalMessages() = default;
    virtual void showMessage(const QString& text, const QString& informativeText = {}) = 0;
};

} // namespace fw
