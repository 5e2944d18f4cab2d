#pragma once

#include <cstdint>

#include "boundary/math/Vector2D.h"
#include "boundary/math/Vector3D.h"

class opstream;
class ipstream;

// A viewing plane: a point on it, the view direction (its normal) and the up direction.
class GViewportPlaneInfo {
 public:
  Vector3D origin{0.0, 0.0, 0.0};
  Vector3D direction{0.0, 0.0, -1.0};
  Vector3D up{0.0, 1.0, 0.0};

  GViewportPlaneInfo() = default;
  GViewportPlaneInfo(const Vector3D& planeOrigin, const Vector3D& viewDirection,
                     const Vector3D& upDirection)
      : origin(planeOrigin), direction(viewDirection), up(upDirection) {}

  void setPlaneParameters(const Vector3D& planeOrigin, const Vector3D& viewDirection,
                          const Vector3D& upDirection) {
    origin = planeOrigin;
    direction = viewDirection;
    up = upDirection;
  }
  const Vector3D& getPlaneOrigin() const { return origin; }
  const Vector3D& getPlaneDirection() const { return direction; }
  const Vector3D& getPlaneUp() const { return up; }
};

// A window on the viewing plane: origin (left, bottom) and size (width, height).
class GViewportWindowInfo {
 public:
  Vector2D origin{-0.5, -0.5};
  Vector2D size{1.0, 1.0};

  GViewportWindowInfo() = default;
  GViewportWindowInfo(const Vector2D& windowOrigin, const Vector2D& windowSize)
      : origin(windowOrigin), size(windowSize) {}
};

// A view: plane, window, the eye's offset from the plane origin (z is its distance from the
// plane), whether it is a perspective view (1) or orthographic (0), and a scale factor that the
// library carries without interpreting.
class GViewportInfo {
 public:
  GViewportPlaneInfo plane;
  GViewportWindowInfo window;
  Vector3D eyeOffset{0.0, 0.0, 1.0};
  std::uint8_t perspective = 1;
  float scale = 1.0f;

  GViewportInfo() = default;
  GViewportInfo(const GViewportPlaneInfo& viewPlane, const GViewportWindowInfo& viewWindow,
                std::uint8_t perspectiveFlag, float viewScale)
      : plane(viewPlane), window(viewWindow), perspective(perspectiveFlag), scale(viewScale) {}
};

// Stream layouts, member by member in declaration order.
opstream& operator<<(opstream& out, const GViewportPlaneInfo& plane);
ipstream& operator>>(ipstream& in, GViewportPlaneInfo& plane);
opstream& operator<<(opstream& out, const GViewportWindowInfo& window);
ipstream& operator>>(ipstream& in, GViewportWindowInfo& window);
opstream& operator<<(opstream& out, const GViewportInfo& view);
ipstream& operator>>(ipstream& in, GViewportInfo& view);
