#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class QHBoxLayout;
class QLabel;

namespace fw {

// A sheet on the main window: a title, a message and a row of buttons. It is
// window-modal and opened with open(), so nothing waits in a nested loop.
// Titles and messages are plain text: a file name never renders as markup.
class AlertSheet : public QDialog {
    Q_OBJECT
public:
    struct Button {
        QString text;
        std::function<void()> action;
        // Escape and Enter press this button, the safe answer, which also
        // has the focus; a sheet without one ignores Escape and defaults to
        // its last button.
        bool isEscape = false;
    };

    explicit AlertSheet(QWidget* parent);

    // Shows the sheet; each button closes it, then runs its action.
    void present(const QString& title, const QString& message, const QList<Button>& buttons);
    // Closes the sheet without an answer: its question was settled elsewhere.
    void dismiss();

protected:
    void reject() override;

private:
    void press(const Button& button);
    qsizetype safeButtonIndex() const;

    QLabel* titleLabel;
    QLabel* messageLabel;
    QHBoxLayout* buttonRow;
    QList<Button> buttons;
};

} // namespace fw
