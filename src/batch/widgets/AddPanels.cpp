#include "batch/widgets/AddPanels.h"

#include "batch/AddPhotosVC.h"
#include "batch/widgets/LibraryPanel.h"
#include "core/Codes.h"
#include "core/LocalizedStrings.h"
#include "core/StringKeys.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace fw {

namespace {

// The user's Pictures folder, or the home folder where there is none (a
// panel opened on a missing folder would offer its name as the file name).
QString picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// "*.jpg *.JPG ...": the panel shows photos in either letter case.
QString imageFilter(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions) {
        for (const QString& spelling : {extension.toLower(), extension.toUpper()}) {
            const QString pattern = "*." + spelling;
            if (!patterns.contains(pattern))
                patterns.append(pattern);
        }
    }
    return QStringLiteral("(%1)").arg(patterns.join(' '));
}

} // namespace

AddPanels::AddPanels(AddPhotosVC& screen, LocalizedStrings& strings, QStringList imageExtensions)
    : screen(screen), strings(strings), imageExtensions(std::move(imageExtensions))
{
}

void AddPanels::open(int index, QWidget* window) const
{
    QFileDialog* panel = nullptr;
    if (index == AddPanel::Library) {
        panel = new LibraryPanel(window, strings.getLocalizedStringForKey(StringKey::ADD_LIBRARY));
    } else {
        const char* prompt = index == AddPanel::Files            ? StringKey::ADD_PHOTOS
                             : index == AddPanel::FolderFiltered ? StringKey::ADD_WITH_FILTERS
                                                                 : StringKey::ADD_FOLDER;
        panel = new QFileDialog(window, strings.getLocalizedStringForKey(prompt), picturesFolder());
        if (index == AddPanel::Files) {
            panel->setFileMode(QFileDialog::ExistingFiles);
            panel->setNameFilter(strings.getLocalizedStringForKey(StringKey::PHOTO_FILES) + ' ' +
                                 imageFilter(imageExtensions));
        } else {
            panel->setFileMode(QFileDialog::Directory);
            panel->setOption(QFileDialog::ShowDirsOnly);
        }
        if (index != AddPanel::FolderFiltered)
            panel->setLabelText(QFileDialog::Accept, strings.getLocalizedStringForKey(prompt));
    }
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    QObject::connect(panel, &QFileDialog::finished, panel, [this, panel](int result) {
        screen.panelEnded(result == QDialog::Accepted ? panel->selectedFiles() : QStringList());
    });
    panel->open();
}

} // namespace fw
