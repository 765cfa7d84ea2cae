#include "core/widgets/DialogMessages.h"

#include "core/DialogQueue.h"
#include "core/widgets/AlertSheet.h"

#include <QMetaObject>

namespace fw {

DialogMessages::DialogMessages(DialogQueue& dialogs, AlertSheet& sheet, QString okText,
                               QObject* parent)
    : QObject(parent), dialogs(dialogs), sheet(sheet), okText(std::move(okText))
{
}

void DialogMessages::showMessage(const QString& text, const QString& informativeText)
{
    QMetaObject::invokeMethod(
        this, [this, text, informativeText] { request(text, informativeText); },
        Qt::AutoConnection);
}

void DialogMessages::request(const QString& text, const QString& informativeText)
{
    dialogs.request([this, text, informativeText] {
        sheet.present(text, informativeText, {{okText, [this] { dialogs.closed(); }, true}});
        return true;
    });
}

} // namespace fw
