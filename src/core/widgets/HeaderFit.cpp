#include "core/widgets/HeaderFit.h"

#include <QHeaderView>
#include <QTableView>

namespace fw {

void HeaderFit::widenToHeaders(QTableView& table)
{
    QHeaderView* header = table.horizontalHeader();
    for (int section = 0; section < header->count(); ++section) {
        if (header->sectionResizeMode(section) == QHeaderView::Stretch)
            continue;
        const int wanted = header->sectionSizeHint(section);
        if (wanted > header->sectionSize(section))
            header->resizeSection(section, wanted);
    }
}

} // namespace fw
