#include "batch/ExifInfo.h"
#include "batch/PhotoFile.h"
#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int printInfo(const QStringList& paths)
{
    const fw::ImageService& images = fw::VipsImageService::shared();
    QTextStream out(stdout);
    int unreadable = 0;
    for (const QString& path : paths) {
        const fw::PhotoFilePtr photo = fw::PhotoFile::initWithFileUrl(path, false, images);
        if (photo->width <= 0 || photo->height <= 0) {
            QTextStream(stderr) << photo->fileName << ": not a readable image\n";
            ++unreadable;
            continue;
        }
        const fw::ExifInfo info = fw::ExifInfo::initWithFile(path, images);
        out << photo->fileName << ": " << static_cast<int>(photo->width) << " x "
            << static_cast<int>(photo->height) << " px upright, "
            << (info.colorModel().isEmpty() ? QStringLiteral("unknown colour model") : info.colorModel())
            << ", orientation " << std::max(1, info.orientation()) << ", "
            << photo->fileSizeAsString << '\n';
    }
    return unreadable == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() < 2 || arguments.first() != "info") {
        QTextStream(stderr) << "usage: framewright-cli info PATH...\n";
        return 2;
    }
    return printInfo(arguments.mid(1));
}
