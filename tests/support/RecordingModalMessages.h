#pragma once

#include "core/ModalMessages.h"

#include <QStringList>

namespace fw::test {

// Modal messages that the user dismissed at once; keeps what they said.
class RecordingModalMessages : public ModalMessages {
public:
    void showMessage(const QString& text, const QString& informativeText = {}) override
    {
        shown.append(informativeText.isEmpty() ? text : text + " / " + informativeText);
    }

    QStringList shown;
};

} // namespace fw::test
