#include "core/widgets/FolderChooser.h"

#include <QFileDialog>

namespace fw {

void FolderChooser::open(QWidget* window, const QString& prompt, const QString& startFolder,
                         std::function<void(const QString&)> ended)
{
    auto* chooser = new QFileDialog(window, prompt, startFolder);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setWindowModality(Qt::WindowModal);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    chooser->setLabelText(QFileDialog::Accept, prompt);
    chooser->setAccessibleName(prompt);
    QObject::connect(
        chooser, &QFileDialog::finished, chooser, [chooser, ended = std::move(ended)](int result) {
            const QStringList chosen = chooser->selectedFiles();
            ended(result == QDialog::Accepted && !chosen.isEmpty() ? chosen.first() : QString());
        });
    chooser->open();
}

} // namespace fw
