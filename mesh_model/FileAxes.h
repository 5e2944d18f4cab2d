#pragma once

// The mesh file is always z-up. A vector of a y-up scene is turned a quarter about x, taking the
// host's y axis to the file's z axis: (x, y, z) is written as (x, -z, y). A z-up scene's vectors
// are written as they are. The negation is exact, so a +0.0 z becomes -0.0.
template <class T>
struct FileVector {
  T x;
  T y;
  T z;
};

template <class T>
inline FileVector<T> toFileAxes(T x, T y, T z, bool upAxisIsZ) {
  if (upAxisIsZ)
    return {x, y, z};
  return {x, -z, y};
}
