#include "log/widgets/RunSummaryPanel.h"

#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QFormLayout>
#include <QLabel>

namespace fw {

RunSummaryPanel::RunSummaryPanel(LocalizedStrings& strings, QWidget* parent)
    : QWidget(parent), form(new QFormLayout(this))
{
    form->setContentsMargins(0, 0, 0, 0);
    form->setLabelAlignment(Qt::AlignRight);
    const std::pair<const char*, const char*> rows[] = {
        {"imagesSelected", StringKey::TOTAL_IMAGE_SELECTED},
        {"totalOldSize", StringKey::TOTAL_BATCH_SIZE},
        {"imagesConverted", StringKey::TOTAL_IMAGE_CONVERTED},
        {"conversionFailed", StringKey::CONVERSION_FAILED},
        {"imagesSkipped", StringKey::TOTAL_IMAGE_SKIPPED},
        {"oldSize", StringKey::SELECTED_BATCH_ORIGINAL_SIZE},
        {"newSize", StringKey::NEW_SIZE},
        {"saveSpace", StringKey::SPACE_SAVED},
        {"timeElapsed", StringKey::TIME_ELAPSED},
        {"metadata", StringKey::METADATA_KEPT},
    };
    for (const auto& [key, caption] : rows) {
        auto* value = new QLabel(this);
        value->setTextFormat(Qt::PlainText);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        form->addRow(strings.getLocalizedStringForKey(caption), value);
        values.append({QString::fromLatin1(key), value, strings.getLocalizedStringForKey(caption)});
    }
}

// The saved space shows only when there is some, the skipped photos only
// when the user skipped some (runs kept by earlier versions have no count,
// nor the metadata kept).
void RunSummaryPanel::setSummary(const LogRecord& summary)
{
    for (const auto& [key, label, caption] : values) {
        const QString value = summary.value(key).trimmed();
        label->setText(value);
        // A screen reader reads the figure with what it counts.
        label->setAccessibleName(QStringLiteral("%1 %2").arg(caption, value));
        if (key == "saveSpace")
            form->setRowVisible(label, !value.isEmpty());
        if (key == "metadata")
            form->setRowVisible(label, !value.isEmpty());
        if (key == "imagesSkipped")
            form->setRowVisible(label, !value.isEmpty() && value != "0");
    }
}

} // namespace fw
