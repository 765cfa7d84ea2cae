#include "support/TemporaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <ftw.h>

namespace fw::test {

TemporaryFolder::TemporaryFolder() : root(QDir(directory.path()).canonicalPath()) {}

// Qt cannot list names that are not UTF-8, so it could not empty a folder
// holding one; the tree is removed by its bytes instead.
TemporaryFolder::~TemporaryFolder()
{
    const auto removeEntry = [](const char* path, const struct stat*, int, struct FTW*) {
        ::remove(path);
        return 0;
    };
    ::nftw(QFile::encodeName(root).constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

QString TemporaryFolder::filePath(const QString& relativePath) const
{
    return root + '/' + relativePath;
}

QString TemporaryFolder::writeFile(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QString TemporaryFolder::makeFolder(const QString& relativePath) const
{
    const QString path = filePath(relativePath);
    QDir().mkpath(path);
    return path;
}

void TemporaryFolder::removeFile(const QString& relativePath) const
{
    QFile::remove(filePath(relativePath));
}

QString testDataPath(const QString& relativePath)
{
    const QString path = QDir::cleanPath(QString(FRAMEWRIGHT_TESTDATA_DIR) + '/' + relativePath);
    return QFileInfo::exists(path) ? path : QString();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fw::test
