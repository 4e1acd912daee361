#include "ui/view_orientation.h"

namespace vorn {

ViewOrientation NextOrientation(ViewOrientation orientation)
{
    switch (orientation) {
    case ViewOrientation::Top:
        return ViewOrientation::Front;
    case ViewOrientation::Front:
        return ViewOrientation::Side;
    case ViewOrientation::Side:
        break;
    }
    return ViewOrientation::Top;
}

std::string_view OrientationLabel(ViewOrientation orientation)
{
    switch (orientation) {
    case ViewOrientation::Front:
        return "Front (X/Z)";
    case ViewOrientation::Side:
        return "Side (Y/Z)";
    case ViewOrientation::Top:
        break;
    }
    return "Top (X/Y)";
}

} // namespace vorn
