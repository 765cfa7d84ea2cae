#pragma once

#include "core/ModalMessages.h"

#include <QObject>

namespace fw {

class AlertSheet;
class DialogQueue;

// Modal messages as sheets on the main window, each waiting its turn in the
// dialog queue. A call from a worker thread is carried to the main thread.
class DialogMessages : public QObject, public ModalMessages {
    Q_OBJECT
public:
    DialogMessages(DialogQueue& dialogs, AlertSheet& sheet, QString okText,
                   QObject* parent = nullptr);

    void showMessage(const QString& text, const QString& informativeText = {}) override;

private:
    void request(const QString& text, const QString& informativeText);

    DialogQueue& dialogs;
    AlertSheet& sheet;
    const QString okText;
};

} // namespace fw
