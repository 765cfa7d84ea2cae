#include "core/widgets/FilteredText.h"

#include <QLineEdit>
#include <algorithm>

namespace fw {

// What was taken out was what was just typed, before the caret.
void FilteredText::show(QLineEdit& field, const QString& filtered)
{
    if (field.text() == filtered)
        return;
    const int removed = static_cast<int>(field.text().size() - filtered.size());
    const int caret =
        std::clamp(field.cursorPosition() - removed, 0, static_cast<int>(filtered.size()));
    field.setText(filtered);
    field.setCursorPosition(caret);
}

} // namespace fw
