#pragma once

#include <cmath>

namespace vorn {

// A point or direction in map units, single precision like the map's own geometry.
struct Vec3 {
    float x = 0;
    float y = 0;
    float z = 0;

    float& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
    float operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }

    friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline constexpr Vec3 kOrigin{0, 0, 0};

// Degrees to radians with pi taken as 3.141592654, as every angle of the editor is converted.
inline constexpr double kRadiansPerDegree = 3.141592654 / 180.0;

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vec3 operator*(float s, Vec3 v) { return v * s; }
inline Vec3& operator+=(Vec3& a, Vec3 b) { return a = a + b; }
inline Vec3& operator-=(Vec3& a, Vec3 b) { return a = a - b; }

inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - b.y * a.z, b.x * a.z - b.z * a.x, b.y * a.x - b.x * a.y};
}

inline float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }

// The caller guarantees a non-zero vector.
inline void Normalize(Vec3& v)
{
    const float length = Length(v);
    v.x /= length;
    v.y /= length;
    v.z /= length;
}

inline Vec3 Normalized(Vec3 v)
{
    Normalize(v);
    return v;
}

// Half away from zero, returned as a float.
inline float RoundToInt(float x)
{
    if (x > 0) return std::trunc(x + 0.5f);
    if (x < 0) return std::trunc(x - 0.5f);
    return 0;
}

// Rotations about the axes through the origin by whole or fractional degrees (positive turns
// X toward Y about Z, Y toward Z about X, Z toward X about Y), and per-axis scaling.
void RotateAboutZ(Vec3& v, float degrees);
void RotateAboutX(Vec3& v, float degrees);
void RotateAboutY(Vec3& v, float degrees);
void ScaleAxes(Vec3& v, float sx, float sy, float sz);

} // namespace vorn
