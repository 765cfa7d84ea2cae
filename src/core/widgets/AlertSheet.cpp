#include "core/widgets/AlertSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fw {

AlertSheet::AlertSheet(QWidget* parent)
    : QDialog(parent), titleLabel(new QLabel(this)), messageLabel(new QLabel(this)),
      buttonRow(new QHBoxLayout)
{
    setWindowModality(Qt::WindowModal);
    for (QLabel* label : {titleLabel, messageLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QFont font = titleLabel->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    titleLabel->setFont(font);
    messageLabel->setMinimumWidth(360);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(titleLabel);
    layout->addWidget(messageLabel);
    layout->addLayout(buttonRow);
}

void AlertSheet::present(const QString& title, const QString& message,
                         const QList<Button>& newButtons)
{
    while (buttonRow->count() > 1)
        delete buttonRow->takeAt(1)->widget();
    buttons = newButtons;
    setWindowTitle(title);
    setAccessibleName(title);
    titleLabel->setText(title);
    messageLabel->setText(message);
    const qsizetype safe = safeButtonIndex();
    QPushButton* safeButton = nullptr;
    for (qsizetype index = 0; index < buttons.size(); ++index) {
        auto* push = new QPushButton(buttons.at(index).text, this);
        push->setAccessibleName(buttons.at(index).text);
        push->setAutoDefault(false);
        push->setDefault(index == safe);
        connect(push, &QPushButton::clicked, this, [this, index] { press(buttons.at(index)); });
        buttonRow->addWidget(push);
        if (index == safe)
            safeButton = push;
    }
    adjustSize();
    open();
    // A question takes the keyboard when it opens, even if the window was
    // given back its focus just before.
    activateWindow();
    if (safeButton)
        safeButton->setFocus();
}

// Enter, the default button and the focus are all on the answer that loses
// nothing (the one Escape gives), so a reflexive Enter on "Remove all?" or
// "Stop processing?" does no harm.
qsizetype AlertSheet::safeButtonIndex() const
{
    for (qsizetype index = 0; index < buttons.size(); ++index) {
        if (buttons.at(index).isEscape)
            return index;
    }
    return buttons.size() - 1;
}

void AlertSheet::press(const Button& button)
{
    const std::function<void()> action = button.action;
    done(QDialog::Accepted);
    if (action)
        action();
}

void AlertSheet::dismiss()
{
    if (isVisible())
        done(QDialog::Rejected);
}

void AlertSheet::reject()
{
    for (const Button& button : buttons) {
        if (button.isEscape) {
            press(button);
            return;
        }
    }
}

} // namespace fw
