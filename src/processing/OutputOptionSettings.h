#pragma once

#include "platform/ImageService.h"

#include <QString>

namespace fw {

// The output choices of one run, made from the output settings panel when the
// run starts and owned by the run from then on. Lives in memory only.
// (ouptputFolder is the design's name, kept on purpose.)
struct OutputOptionSettings {
    // 0 keep each photo's format, 1 convert every photo to selectedFileFormat.
    int formatOption = 0;
    // Index into the known-format list (KnownFormats).
    int selectedFileFormat = 0;
    // Lossy quality in percent, 0..100, used when converting.
    int compressionRatio = ImageService::defaultQualityPercent;
    // WebP and JPEG XL written without loss, the quality aside.
    bool isLossless = false;
    // 0 source name, 1 name with the source pixel size, 2 prefix, 3 suffix,
    // 4 the name template.
    int filenameOption = 0;
    // Prefix for option 2, suffix for option 3.
    QString prefixString;
    // Option 4: a pattern of text and tokens (NameTemplate).
    QString nameTemplate;
    int counterStart = 1;
    // A MetadataOption code.
    int metadataOption = 0;
    // 0 beside each source, 1 into ouptputFolder.
    int folderOption = 0;
    QString ouptputFolder;
    bool keepFolderHierarchy = false;
    bool askBeforeOverwrite = false;

    bool operator==(const OutputOptionSettings&) const = default;
};

} // namespace fw
