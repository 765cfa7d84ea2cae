#pragma once

class QLineEdit;
class QString;

namespace fw {

// A field whose text the rules filter as it is typed (characters no file
// name may hold, a length limit): the filtered text is shown with the caret
// where the user was typing, not thrown to the end.
class FilteredText {
public:
    FilteredText() = delete;

    static void show(QLineEdit& field, const QString& filtered);
};

} // namespace fw
