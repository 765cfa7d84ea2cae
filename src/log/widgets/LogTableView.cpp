#include "log/widgets/LogTableView.h"

#include "core/widgets/HeaderFit.h"
#include "core/widgets/PlainToolTipDelegate.h"
#include "log/LogTableModel.h"

#include <QHeaderView>

namespace fw {

LogTableView::LogTableView(LogTableModel& model, QWidget* parent) : QTableView(parent)
{
    setModel(&model);
    auto* cells = new PlainToolTipDelegate(this);
    cells->setPathColumns({LogTableModel::InputFile, LogTableModel::OutputFile});
    setItemDelegate(cells);
    setSelectionBehavior(SelectRows);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(30);
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(LogTableModel::InputFile, QHeaderView::Stretch);
    header->setSectionResizeMode(LogTableModel::OutputFile, QHeaderView::Stretch);
    setColumnWidth(LogTableModel::Number, 44);
    setColumnWidth(LogTableModel::Information, 180);
    for (const int column : {LogTableModel::OldSize, LogTableModel::NewSize, LogTableModel::Ratio,
                             LogTableModel::Save})
        setColumnWidth(column, 90);
    HeaderFit::widenToHeaders(*this);
}

} // namespace fw
