#pragma once

#include <QFileDialog>

namespace fw {

// A folder chooser that lists folders only and accepts nothing but photo
// libraries, known by their extension; a migrated library, which holds no
// photos of its own, is not even listed. It starts in the Pictures folder.
class LibraryPanel : public QFileDialog {
    Q_OBJECT
public:
    LibraryPanel(QWidget* parent, const QString& caption);

    static bool isLibrary(const QString& path);

public Q_SLOTS:
    void accept() override;
};

} // namespace fw
