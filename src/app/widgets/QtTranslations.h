#pragma once

class QString;

namespace fw {

// Qt's own texts (the file dialogs' "Look in", "Cancel", column headers) in
// the language of the program's string table, from Debian's Qt translations.
class QtTranslations {
public:
    QtTranslations() = delete;

    // Installs them for the process; false when none are there for the
    // language (English needs none).
    static bool install(const QString& languageCode);
};

} // namespace fw
