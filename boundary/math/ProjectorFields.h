#pragma once

#include "boundary/math/ProjectorInfo.h"

// The fields of a view and of a projector in stream order, told once: the stream operators and
// the file checkers walk them. A walker W is called with each field's name (its path inside the
// record, as a checker reports it) and the value, const for a walker that writes:
//
//   w.vector(name, Vector3D&)   w.vector(name, Vector2D&)   w.byte(name, std::uint8_t&)
//   w.real(name, float&)        w.dword(name, std::int32_t&)
template <class Walker, class View>
void walkViewFields(Walker& w, View& view) {
  w.vector("plane.origin", view.plane.origin);
  w.vector("plane.direction", view.plane.direction);
  w.vector("plane.up", view.plane.up);
  w.vector("window.origin", view.window.origin);
  w.vector("window.size", view.window.size);
  w.vector("eyeOffset", view.eyeOffset);
  w.byte("perspective", view.perspective);
  w.real("scale", view.scale);
}

// The view, then the image width and height.
template <class Walker, class Projector>
void walkProjectorFields(Walker& w, Projector& projector) {
  walkViewFields(w, projector);
  w.dword("imageWidth", projector.imageWidth);
  w.dword("imageHeight", projector.imageHeight);
}
