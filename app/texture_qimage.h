#pragma once

class QImage;

namespace vorn {

struct RgbaImage;

// The core's RGBA picture as a QImage of its own (the bytes are copied).
QImage ToQImage(const RgbaImage& image);

} // namespace vorn
