#include "texture_qimage.h"

#include "textures/texture_image.h"

#include <QImage>

namespace vorn {

QImage ToQImage(const RgbaImage& image)
{
    if (image.width <= 0 || image.height <= 0) return {};
    const QImage view(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888);
    return view.copy();
}

} // namespace vorn
