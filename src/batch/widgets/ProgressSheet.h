#pragma once

#include <QDialog>

class QLabel;

namespace fw {

class AddPhotosVC;
class LocalizedStrings;

// The progress of an import into a batch that already holds photos: the
// count, the photo just added and Stop, which Escape presses too.
class ProgressSheet : public QDialog {
    Q_OBJECT
public:
    ProgressSheet(AddPhotosVC& screen, LocalizedStrings& strings, QWidget* parent);

    void render();

protected:
    void reject() override;

private:
    AddPhotosVC& screen;
    QLabel* countLabel;
    QLabel* pathLabel;
};

} // namespace fw
