#include "settings/widgets/SteppedField.h"

#include "core/widgets/Named.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace fw {

namespace {

QToolButton* stepButton(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = named(new QToolButton(parent), name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SteppedField::SteppedField(const QString& accessibleName, const QString& increaseText,
                           const QString& decreaseText, QValidator* validator, QWidget* parent)
    : QWidget(parent), field(new QLineEdit(this)),
      up(stepButton(Qt::UpArrow, increaseText + ' ' + accessibleName, this)),
      down(stepButton(Qt::DownArrow, decreaseText + ' ' + accessibleName, this))
{
    named(field, accessibleName);
    field->setValidator(validator);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(64);
    field->installEventFilter(this);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(up);
    buttons->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(field);
    layout->addLayout(buttons);
    setFocusProxy(field);
    // A value the rules put in place of what was typed (a cleared field
    // becoming 1) is selected, so the next key replaces it, not joins it.
    connect(field, &QLineEdit::textEdited, this, [this](const QString& typed) {
        Q_EMIT textEdited(typed);
        if (field->text() != typed)
            field->selectAll();
    });
    connect(up, &QToolButton::clicked, this, [this] { Q_EMIT stepped(true); });
    connect(down, &QToolButton::clicked, this, [this] { Q_EMIT stepped(false); });
}

void SteppedField::showText(const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void SteppedField::setFieldEnabled(bool enabled)
{
    field->setEnabled(enabled);
    up->setEnabled(enabled);
    down->setEnabled(enabled);
}

bool SteppedField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Q_EMIT stepped(key == Qt::Key_Up);
            return true;
        }
    }
    if (watched == field && event->type() == QEvent::FocusOut)
        Q_EMIT focusLeft();
    return QWidget::eventFilter(watched, event);
}

} // namespace fw
