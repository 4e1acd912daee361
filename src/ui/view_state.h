#pragma once

namespace vorn {

// The part of the XY plane the XY view can scroll over, in map units. It only ever grows.
struct MapExtents {
    int left = -2000;
    int top = 2000;
    int right = 2000;
    int bottom = -2000;
};

// A map point in whole units.
struct MapPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

} // namespace vorn
