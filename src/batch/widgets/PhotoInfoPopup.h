#pragma once

#include "batch/PhotoInformation.h"

#include <QFrame>

class QFormLayout;

namespace fw {

class LocalizedStrings;

// The information of one photo beside the button that asked for it; it
// closes on the next click outside it. Values are plain text.
class PhotoInfoPopup : public QFrame {
    Q_OBJECT
public:
    PhotoInfoPopup(LocalizedStrings& strings, QWidget* parent);

    void showBeside(const QRect& globalAnchor, const QList<PhotoInformation::Row>& rows);

private:
    LocalizedStrings& strings;
    QFormLayout* form;
};

} // namespace fw
