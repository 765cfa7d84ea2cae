#pragma once

#include <QByteArray>
#include <QString>

namespace fw {

// Reads the two things the program needs from an ICC profile: its description
// (shown as the photo's profile name) and the colour space it describes.
class IccProfile {
public:
    // The text of the 'desc' tag (version 2 or 4 profiles); empty when absent.
    static QString description(const QByteArray& profile);
    // The data colour space signature: "RGB", "GRAY", "CMYK", "Lab", ...
    static QString colourSpace(const QByteArray& profile);
};

} // namespace fw
