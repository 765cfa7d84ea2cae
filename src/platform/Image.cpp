#include "platform/PixelBudget.h"
#include "platform/VipsImage.h"

#include <QImage>
#include <QLoggingCategory>
#include <cmath>

namespace fw {

namespace {

Q_LOGGING_CATEGORY(logImage, "framewright.image", QtCriticalMsg)

using vips::VImage;

// libvips reports failures as exceptions; an operation that fails gives no
// picture (so nothing wrong is written or cached) and says why in the log.
template <typename Operation>
Image guarded(const Image& source, const char* what, Operation operation)
{
    if (!source.isValid())
        return source;
    try {
        return operation(*source.impl());
    } catch (const vips::VError& error) {
        qCWarning(logImage) << what << "failed:" << failureText(error);
        return Image();
    }
}

VImage randomAccess(const Image::Impl& impl)
{
    if (!impl.sequential)
        return impl.image;
    if (!PixelBudget::allows(impl.image.width(), impl.image.height(), false))
        throw vips::VError(
            PixelBudget::refusal(impl.image.width(), impl.image.height()).toStdString());
    return impl.image.copy_memory();
}

// Catmull-Rom: the decoder has already shrunk the picture by its largest
// whole factor, so what remains is less than a halving, where this kernel is
// as sharp as Lanczos and costs half as many taps.
VImage resizeExactly(const VImage& image, int width, int height)
{
    const double horizontal = static_cast<double>(width) / image.width();
    const double vertical = static_cast<double>(height) / image.height();
    const auto options = [vertical] {
        return VImage::option()->set("vscale", vertical)->set("kernel", VIPS_KERNEL_CUBIC);
    };
    if (!image.has_alpha())
        return image.resize(horizontal, options());
    // Resampling straight alpha bleeds dark fringes into transparent edges.
    const VipsBandFormat format = image.format();
    return image.premultiply().resize(horizontal, options()).unpremultiply().cast(format);
}

} // namespace

Image wrapVipsImage(VImage image, bool sequential)
{
    return Image(std::make_shared<const Image::Impl>(Image::Impl{std::move(image), sequential}));
}

const VImage& vipsImageOf(const Image& image)
{
    return image.impl()->image;
}

bool isGreyPicture(const VImage& image)
{
    const VipsInterpretation interpretation = image.interpretation();
    return interpretation == VIPS_INTERPRETATION_B_W ||
           interpretation == VIPS_INTERPRETATION_GREY16 || image.bands() <= 2;
}

QByteArray blobOf(const VImage& image, const char* name)
{
    if (image.get_typeof(name) == 0)
        return {};
    size_t length = 0;
    const void* data = image.get_blob(name, &length);
    return QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(length));
}

VImage imageFromPixels(const void* data, size_t size, int width, int height, int bands,
                       VipsBandFormat format)
{
    VipsImage* image = vips_image_new_from_memory_copy(data, size, width, height, bands, format);
    if (image == nullptr)
        throw vips::VError();
    return VImage(image);
}

VImage readableInAnyOrder(const Image& image)
{
    return randomAccess(*image.impl());
}

QImage Image::toQImage() const
{
    if (!isValid())
        return {};
    try {
        VImage pixels = d->image.coding() == VIPS_CODING_LABQ ? d->image.LabQ2Lab() : d->image;
        if (pixels.interpretation() != VIPS_INTERPRETATION_sRGB)
            pixels = pixels.colourspace(VIPS_INTERPRETATION_sRGB);
        const bool alpha = pixels.has_alpha();
        if (alpha)
            pixels = pixels.premultiply();
        pixels = pixels.cast(VIPS_FORMAT_UCHAR)
                     .extract_band(0, VImage::option()->set("n", alpha ? 4 : 3));
        const VImage ready = pixels.copy_memory();
        const auto* data = static_cast<const uchar*>(vips_image_get_data(ready.get_image()));
        const auto stride = static_cast<qsizetype>(VIPS_IMAGE_SIZEOF_LINE(ready.get_image()));
        return QImage(data, ready.width(), ready.height(), stride,
                      alpha ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGB888)
            .copy();
    } catch (const vips::VError& error) {
        qCWarning(logImage) << "picture for drawing failed:" << failureText(error);
        return {};
    }
}

QString failureText(const vips::VError& error)
{
    vips_error_clear();
    const QString text = QString::fromUtf8(error.what()).trimmed();
    return text.section('\n', 0, 0);
}

Image::Image() = default;

Image::Image(std::shared_ptr<const Impl> impl) : d(std::move(impl)) {}

bool Image::isValid() const
{
    return d && d->image.get_image() != nullptr;
}

int Image::width() const
{
    return isValid() ? d->image.width() : 0;
}

int Image::height() const
{
    return isValid() ? d->image.height() : 0;
}

int Image::bands() const
{
    return isValid() ? d->image.bands() : 0;
}

bool Image::isGrey() const
{
    return isValid() && isGreyPicture(d->image);
}

Image Image::scaled(int width, int height) const
{
    if (width <= 0 || height <= 0 || (width == this->width() && height == this->height()))
        return *this;
    return guarded(*this, "scaling", [&](const Impl& impl) {
        return wrapVipsImage(resizeExactly(impl.image, width, height), impl.sequential);
    });
}

Image Image::flippedHorizontally() const
{
    return guarded(*this, "horizontal flip", [](const Impl& impl) {
        return wrapVipsImage(impl.image.flip(VIPS_DIRECTION_HORIZONTAL), impl.sequential);
    });
}

Image Image::flippedVertically() const
{
    return guarded(*this, "vertical flip", [](const Impl& impl) {
        return wrapVipsImage(randomAccess(impl).flip(VIPS_DIRECTION_VERTICAL));
    });
}

Image Image::rotatedCounterClockwise(double degrees) const
{
    const double normalized = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
    if (normalized == 0)
        return *this;
    return guarded(*this, "rotation", [normalized](const Impl& impl) {
        const VImage source = randomAccess(impl);
        // libvips turns clockwise as the picture is viewed.
        if (normalized == 90)
            return wrapVipsImage(source.rot(VIPS_ANGLE_D270));
        if (normalized == 180)
            return wrapVipsImage(source.rot(VIPS_ANGLE_D180));
        if (normalized == 270)
            return wrapVipsImage(source.rot(VIPS_ANGLE_D90));
        return wrapVipsImage(source.rotate(-normalized));
    });
}

Image Image::convertedToColour() const
{
    if (!isGrey())
        return *this;
    return guarded(*this, "grey to colour", [](const Impl& impl) {
        const bool sixteenBit = impl.image.format() == VIPS_FORMAT_USHORT;
        const VImage grey = impl.image.copy(VImage::option()->set(
            "interpretation", sixteenBit ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W));
        return wrapVipsImage(
            grey.colourspace(sixteenBit ? VIPS_INTERPRETATION_RGB16 : VIPS_INTERPRETATION_sRGB),
            impl.sequential);
    });
}

Image Image::inMemory() const
{
    return guarded(*this, "decoding into memory",
                   [](const Impl& impl) { return wrapVipsImage(impl.image.copy_memory()); });
}

} // namespace fw
