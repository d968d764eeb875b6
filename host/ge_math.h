// Vector: three Float components, also used as an RGB colour (0..1).
#ifndef GE_MATH_H__
#define GE_MATH_H__

#include "ge_sys_math.h"

struct Vector {
  maxon::Float x = 0.0, y = 0.0, z = 0.0;

  Vector() {}
  explicit Vector(maxon::Float in) : x(in), y(in), z(in) {}
  Vector(maxon::Float ix, maxon::Float iy, maxon::Float iz) : x(ix), y(iy), z(iz) {}

  Vector operator+(const Vector& v) const { return Vector(x + v.x, y + v.y, z + v.z); }
  Vector operator-(const Vector& v) const { return Vector(x - v.x, y - v.y, z - v.z); }
  Vector operator*(maxon::Float s) const { return Vector(x * s, y * s, z * s); }
  Bool operator==(const Vector& v) const { return x == v.x && y == v.y && z == v.z; }
  Bool operator!=(const Vector& v) const { return !(*this == v); }
};

#endif  // GE_MATH_H__
