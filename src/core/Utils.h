#pragma once

#include "platform/Image.h"

#include <QSet>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

class QDateTime;

namespace fw {

class ImageService;

// The shared helpers of a run and of the screens: byte-size texts, upright
// sizes, decoding and geometry. One instance per image service. Thread-safe.
// (getImageWithFixedOrientionFromUrl is the design's name, kept on purpose.)
class Utils {
public:
    explicit Utils(const ImageService& images);

    // Decimal steps of 1000 through "bytes", "KB", "MB", "GB", "TB", cut (not
    // rounded) to two decimals: 1536 gives "1.53 KB", 994 gives "0.97 KB".
    // The flags are ignored.
    static QString unitStringFromBytes(double bytes, unsigned flags);

    // "6000 × 4000": a picture's size in pixels as every screen writes it,
    // without group separators, which would read as decimals in some languages.
    static QString dimensionsText(qint64 width, qint64 height);

    // Fits a size to a width (the height follows) or to a height, in single
    // precision.
    static QSizeF aspectFitSizeWithMaxSize(double width, double height, double scaledWidth);
    static QSizeF aspectFitSizeWithMaxHeight(double width, double height, double scaledHeight);

    // The photo's upright pixel size: stored size turned for orientations 5..8;
    // EPS and PICT files measured by their own readers.
    QSizeF getImageOriginalSizeAtFilePathUrl(const QString& path) const;

    // The picture size of an EPS or PICT file from its own reader; none for
    // other files. The extension test is exact, so "photo.Eps" is not one.
    std::optional<QSizeF> epsOrPictSize(const QString& path) const;
    // A photo's upright size from its properties as read (the one rule for
    // the batch, the run and the thumbnails).
    QSizeF uprightSize(const QString& path, const QVariantMap& properties) const;

    // Decodes a photo upright; none when it cannot be decoded.
    std::optional<Image> getImageFromFile(const QString& path, float minWidth,
                                          float minHeight) const;

    // The run's decoder: upright, grey turned to colour. A target size lets
    // the decoder shrink on load straight to it, so a large photo is never
    // decoded at full size to make a small output.
    std::optional<Image>
    getImageWithFixedOrientionFromUrl(const QString& path,
                                      std::optional<QSize> targetSize = std::nullopt) const;
    // The same with the photo's properties as already read.
    std::optional<Image> decodeUpright(const QString& path, const QVariantMap& properties,
                                       std::optional<QSize> targetSize) const;

    static Image convertGraycolorModelToRgb(const Image& image);

    // A picture fitted into the box with its proportions kept (batch screen).
    std::optional<Image> getThumbnailImageAtFilePath(const QString& path, double width,
                                                     double height) const;

    // Exactly the size given; the aspect ratio is not kept.
    static Image scaleImage(const Image& image, double width, double height);
    static Image flipImageHorizontally(const Image& image);
    static Image flipImageVertically(const Image& image);
    // Counter-clockwise as the picture is viewed: 90 turns the top edge to
    // the left side.
    static Image imageRotatedByDegrees(double degrees, const Image& image);

    // Looks a localization key up; the screens pass their string table.
    using Localizer = std::function<QString(const QString& key)>;

    // Whole seconds from one moment to a later one, truncated toward zero.
    static qint64 getDurationBetweenDate(const QDateTime& start, const QDateTime& end);
    // "1 h 2 min 5 s"-style text from the table's "HOURS", "MINUTES" and
    // "SECONDS" words; minutes and seconds appear once a larger part does.
    // Empty for 0 seconds.
    static QString timeFormattedString(qint64 seconds, const Localizer& localize);

    // The path itself when no file is there (and no other output of the run
    // is to have it), else the first free "name (n).ext" beside it,
    // counting from 1.
    static QString stringToAvoidNameCollisionForPath(const QString& path,
                                                     const QSet<QString>& alsoTaken = {});
    // The text without the 13 characters that may not be part of a typed
    // file name: : ; , . / \ ? % * | " < >
    static QString validFileNameString(const QString& text);
    // The first `count` characters, counted as code points, so a character
    // outside the Basic Multilingual Plane is kept whole or left out whole.
    static QString firstCharacters(const QString& text, int count);

    const ImageService& imageService() const { return images; }

private:
    const ImageService& images;
};

} // namespace fw
