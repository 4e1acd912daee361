#pragma once

namespace vorn {

class CQMap;
class CameraModel;

// Places the camera where a designer starts looking at a map just opened: at the first player
// start, at eye height above its origin, looking along its angle; without one, above the map's
// brushes to their south, looking down at their middle. A map with neither leaves it as it was.
void PlaceCameraAtStart(const CQMap& map, CameraModel& camera);

} // namespace vorn
