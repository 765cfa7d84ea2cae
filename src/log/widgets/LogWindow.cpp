#include "log/widgets/LogWindow.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"
#include "log/LogDetailView.h"
#include "log/LogTableModel.h"
#include "log/widgets/LogTableView.h"
#include "log/widgets/RunSummaryPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace fw {

LogWindow::LogWindow(LogDetailView& view, LocalizedStrings& strings, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), view(view), records(new LogTableModel(strings, this)),
      runTitle(new QLabel(this)), message(new QLabel(this)),
      summary(new RunSummaryPanel(strings, this))
{
    const auto text = [&strings](const char* key) { return strings.getLocalizedStringForKey(key); };
    setWindowTitle(text(StringKey::LOG_WINDOW_TITLE));
    records->setHidesInnerDashes(true);
    for (QLabel* label : {runTitle, message})
        label->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    QFont bold = runTitle->font();
    bold.setBold(true);
    runTitle->setFont(bold);
    previous = new QPushButton(text(StringKey::PREVIOUS_RUN), this);
    next = new QPushButton(text(StringKey::NEXT_RUN), this);
    auto* close = new QPushButton(text(StringKey::CLOSE), this);
    for (QPushButton* button : {previous, next, close})
        button->setAccessibleName(button->text());
    runList = new QComboBox(this);
    runList->setAccessibleName(text(StringKey::RUN));
    runList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(runList, &QComboBox::activated, this,
            [this](int index) { this->view.runSelectedAtIndex(index); });
    connect(previous, &QPushButton::clicked, this, [this] { this->view.btnPrevLogTapped(); });
    connect(next, &QPushButton::clicked, this, [this] { this->view.btnNextLogTapped(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* navigation = new QHBoxLayout;
    navigation->addWidget(previous);
    navigation->addWidget(runTitle, 1, Qt::AlignCenter);
    navigation->addWidget(runList);
    navigation->addWidget(next);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addWidget(message);
    layout->addWidget(summary);
    layout->addWidget(new LogTableView(*records, this), 1);
    layout->addLayout(bottom);
    resize(1180, 680);
    connect(&view, &LogDetailView::changed, this, &LogWindow::render);
    render();
}

void LogWindow::present()
{
    if (QWidget* main = parentWidget())
        move(main->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void LogWindow::render()
{
    const LogRecord& shown = view.shownSummary();
    runTitle->setText(view.shownTitle());
    {
        const QSignalBlocker quiet(runList);
        if (runListTitles != view.runTitles()) {
            runListTitles = view.runTitles();
            runList->clear();
            runList->addItems(runListTitles);
        }
        runList->setCurrentIndex(view.selectedLogIndex());
        runList->setVisible(!runListTitles.isEmpty());
    }
    message->setText(view.message());
    message->setVisible(!view.message().isEmpty());
    summary->setSummary(shown);
    summary->setVisible(!shown.isEmpty());
    records->setRecords(view.arrLogDetails());
    previous->setEnabled(view.isPrevEnabled());
    next->setEnabled(view.isNextEnabled());
}

} // namespace fw
