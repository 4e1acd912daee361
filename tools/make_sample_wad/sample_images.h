#pragma once

#include "platform/canvas.h"

#include <functional>
#include <string>
#include <vector>

namespace vorn {

// A generated picture: its colour at each pixel, x to the right and y down.
struct SampleImage {
    std::string name;
    int width = 64;
    int height = 64;
    std::function<Rgb(int x, int y)> colour;
};

// The pictures of the bundled archive: walls, floors, metal, sky, liquids and the rest.
std::vector<SampleImage> SampleImages();

} // namespace vorn
