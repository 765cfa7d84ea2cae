#include "platform/ExifBlock.h"

namespace fw {

namespace {

const QByteArray identifier("Exif\0\0", 6);

} // namespace

QByteArray ExifBlock::tiffStructureOf(const QByteArray& block)
{
    return block.startsWith(identifier) ? block.mid(identifier.size()) : block;
}

QByteArray ExifBlock::fromTiffStructure(const QByteArray& structure)
{
    return identifier + structure;
}

} // namespace fw
