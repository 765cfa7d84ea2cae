#include "platform/FileContents.h"

#include "platform/NativePath.h"

#include <QFile>

namespace fw {

namespace {

constexpr qint64 blockBytes = 1 << 20;

} // namespace

bool FileContents::copy(const QString& source, QFile& destination, qint64 mostBytes)
{
    QFile input;
    if (!NativePath::openForReading(input, source) || input.size() > mostBytes)
        return false;
    for (QByteArray block = input.read(blockBytes); !block.isEmpty();
         block = input.read(blockBytes)) {
        if (destination.write(block) != block.size())
            return false;
    }
    return input.error() == QFileDevice::NoError && destination.flush();
}

} // namespace fw
