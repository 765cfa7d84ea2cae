#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;
class QValidator;

namespace fw {

// A number field with its up and down buttons. The arrow keys step it as the
// buttons do; every edit and step goes to the screen object, and the field
// shows what that object says. Carries the accessible names of its parts.
class SteppedField : public QWidget {
    Q_OBJECT
public:
    SteppedField(const QString& accessibleName, const QString& increaseText,
                 const QString& decreaseText, QValidator* validator, QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return field; }
    // Shows the text unless the user is typing the same one.
    void showText(const QString& text);
    void setFieldEnabled(bool enabled);

Q_SIGNALS:
    void textEdited(const QString& text);
    void stepped(bool up);
    void focusLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field;
    QToolButton* up;
    QToolButton* down;
};

} // namespace fw
