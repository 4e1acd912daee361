#pragma once

#include "geometry/vec3.h"
#include "ui/view_state.h"

namespace vorn {

// Where the 3D camera stands and looks. Held in scene space, where a map point (x, y, z) is the
// scene point (x, z, y): y is up.
class CameraModel {
public:
    const Vec3& position() const { return position_; }
    const Vec3& direction() const { return direction_; }

    // Angle of the view direction in the map's XY plane, counter-clockwise from +x, in radians.
    float heading() const;
    // The map x and y, truncated.
    MapPoint position2D() const;
    // The map x, y and the height.
    Vec3 position3D() const;

    void setHeight(float z) { position_.y = z; }
    void moveTo(float x, float y);
    // Stands at the map point.
    void placeAt(Vec3 mapPoint);
    // Turns to look straight at the map point; the point where the camera stands changes nothing.
    void lookAtPoint(Vec3 mapPoint);
    // Turns toward the map point, keeping the vertical part of the direction; a point right
    // above or below the camera changes nothing.
    void lookAt(float x, float y);

    // Turns by the angle (counter-clockwise seen from above), keeping the vertical part.
    void turn(double radians);
    // Moves along the view direction (backward for a negative distance).
    void walk(float distance);
    // Moves sideways, to the right of the heading for a positive distance.
    void strafe(float distance);
    void raise(float dz) { position_.y += dz; }
    // The up direction of the camera frame, in scene space.
    static constexpr Vec3 kUp{0, 1, 0};

private:
    Vec3 position_{0, 64, -50};
    Vec3 direction_{0, 0, 1};
};

} // namespace vorn
