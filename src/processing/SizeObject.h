#pragma once

#include <QJsonObject>
#include <QString>

namespace fw {

// The size choice of a run, and the element of the stored preset list. Sizes are
// kept in single precision when archived, so a stored preset reads back as the
// nearest float of what was typed. The classic mode is chosen by the flags;
// "fit inside" bounds the picture by customWidth x customHeight, the edge
// modes set one edge to edgeLength, and no-enlarge keeps a photo smaller than
// its target at its own size.
struct SizeObject {
    QString name;
    double customWidth = 0;
    double customHeight = 0;
    double perWidth = 0;
    double perHeight = 0;
    bool isCustomSize = false;
    bool isPercentSize = false;
    bool isKeepAspectRatio = false;
    bool isKeepOriginalSize = false;
    // A SizeMode code; the keys below are stored only when they are set, so
    // a classic preset is archived as before.
    int sizeMode = 0;
    double edgeLength = 0;
    bool isNoEnlarge = false;

    QJsonObject toArchive() const;
    // Missing keys read as 0, false or the empty name.
    static SizeObject fromArchive(const QJsonObject& archive);

    bool operator==(const SizeObject&) const = default;
};

} // namespace fw
