#include "batch/widgets/LibraryPanel.h"

#include "batch/AddPhotosVC.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QStandardPaths>

namespace fw {

namespace {

// Lists what the panel may enter or choose: folders, without migrated
// libraries.
class LibraryFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        return AddPhotosVC::panelShouldEnableUrl(files->filePath(files->index(row, 0, parent)));
    }
};

} // namespace

LibraryPanel::LibraryPanel(QWidget* parent, const QString& caption)
    : QFileDialog(parent, caption,
                  QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::Directory);
    setProxyModel(new LibraryFilter(this));
    setLabelText(QFileDialog::Accept, caption);
}

bool LibraryPanel::isLibrary(const QString& path)
{
    static const QStringList extensions = {"photoslibrary", "photolibrary", "iphotolibrary",
                                           "aplibrary"};
    return extensions.contains(QFileInfo(path).suffix().toLower());
}

// Choosing a plain folder opens it, as a double click would; only a
// library ends the panel.
void LibraryPanel::accept()
{
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty() && isLibrary(chosen.first())) {
        QFileDialog::accept();
        return;
    }
    if (!chosen.isEmpty() && QFileInfo(chosen.first()).isDir())
        setDirectory(chosen.first());
}

} // namespace fw
