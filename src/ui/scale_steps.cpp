#include "ui/scale_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vorn {

float NextScaleStep(float scale, int steps)
{
    int nearest = 0;
    for (int i = 1; i < static_cast<int>(kScalePercents.size()); ++i) {
        if (std::fabs(static_cast<float>(kScalePercents[static_cast<size_t>(i)]) - scale * 100) <
            std::fabs(static_cast<float>(kScalePercents[static_cast<size_t>(nearest)]) - scale * 100)) {
            nearest = i;
        }
    }
    const int index = std::clamp(nearest - steps, 0, static_cast<int>(kScalePercents.size()) - 1);
    return static_cast<float>(kScalePercents[static_cast<size_t>(index)]) * 0.01f;
}

} // namespace vorn
