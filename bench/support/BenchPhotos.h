#pragma once

#include "batch/PhotoFile.h"

#include <QString>

namespace fw::bench {

constexpr int folderPhotoCount = 10000;

// 10,000 copies of one 64 x 48 JPEG, made once and kept in the temporary folder.
QString folderOfSmallJpegs();
// One 6000 x 4000 photo-like JPEG, made once and kept in the temporary folder.
QString folderWithOneLargeJpeg();
// A record as the admission rule fills it, at another path: every text its
// own allocation, as the record's constructor makes them.
PhotoFilePtr recordLike(const PhotoFile& real, const QString& path);
double residentBytes();

} // namespace fw::bench
