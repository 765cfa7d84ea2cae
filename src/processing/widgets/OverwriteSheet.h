#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace fw {

class LocalizedStrings;
class ProcessingView;

// The run's existing-file question: the output that is in the way, the
// seven answers and the rename field with its error line. The run waits for
// an answer, so Escape does not close it.
class OverwriteSheet : public QDialog {
    Q_OBJECT
public:
    OverwriteSheet(ProcessingView& view, LocalizedStrings& strings, QWidget* parent);

    void present();

protected:
    void reject() override {}

private:
    void build(LocalizedStrings& strings);
    void render();

    ProcessingView& view;
    QLabel* pathLabel;
    QLineEdit* renameField;
    QLabel* errorLabel;
};

} // namespace fw
