#pragma once

#include <cmath>
#include <type_traits>

namespace vorn {

// A point or direction in map units. The map's geometry is single precision (Vec3); brushes are
// built in double precision (DVec3), which stays exact far from the origin.
template <typename T>
struct BasicVec3 {
    T x = 0;
    T y = 0;
    T z = 0;

    T& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
    T operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }

    friend bool operator==(const BasicVec3&, const BasicVec3&) = default;
};

using Vec3 = BasicVec3<float>;
using DVec3 = BasicVec3<double>;

inline constexpr Vec3 kOrigin{0, 0, 0};

inline DVec3 ToDouble(Vec3 v) { return {v.x, v.y, v.z}; }
inline Vec3 ToFloat(DVec3 v) { return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)}; }

// Degrees to radians with pi taken as 3.141592654, as every angle of the editor is converted.
inline constexpr double kRadiansPerDegree = 3.141592654 / 180.0;

template <typename T> BasicVec3<T> operator+(BasicVec3<T> a, BasicVec3<T> b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
template <typename T> BasicVec3<T> operator-(BasicVec3<T> a, BasicVec3<T> b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
template <typename T> BasicVec3<T> operator-(BasicVec3<T> a) { return {-a.x, -a.y, -a.z}; }
template <typename T> BasicVec3<T> operator*(BasicVec3<T> v, std::type_identity_t<T> s) { return {v.x * s, v.y * s, v.z * s}; }
template <typename T> BasicVec3<T> operator*(std::type_identity_t<T> s, BasicVec3<T> v) { return v * s; }
template <typename T> BasicVec3<T>& operator+=(BasicVec3<T>& a, BasicVec3<T> b) { return a = a + b; }
template <typename T> BasicVec3<T>& operator-=(BasicVec3<T>& a, BasicVec3<T> b) { return a = a - b; }

template <typename T> T Dot(BasicVec3<T> a, BasicVec3<T> b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

template <typename T> BasicVec3<T> Cross(BasicVec3<T> a, BasicVec3<T> b)
{
    return {a.y * b.z - b.y * a.z, b.x * a.z - b.z * a.x, b.y * a.x - b.x * a.y};
}

template <typename T> T Length(BasicVec3<T> v) { return std::sqrt(Dot(v, v)); }

// The caller guarantees a non-zero vector.
template <typename T> void Normalize(BasicVec3<T>& v)
{
    const T length = Length(v);
    v.x /= length;
    v.y /= length;
    v.z /= length;
}

template <typename T> BasicVec3<T> Normalized(BasicVec3<T> v)
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

// Sine and cosine of an angle in degrees; whole quarter turns are exact, so that turning by
// them keeps whole numbers whole.
struct SinCos {
    double s = 0;
    double c = 1;
};
SinCos SinCosOfDegrees(double degrees);

// Rotations about the axes through the origin (positive turns X toward Y about Z, Y toward Z
// about X, Z toward X about Y), and per-axis scaling.
void RotateAboutZ(DVec3& v, double degrees);
void RotateAboutX(DVec3& v, double degrees);
void RotateAboutY(DVec3& v, double degrees);
void ScaleAxes(DVec3& v, double sx, double sy, double sz);

} // namespace vorn
