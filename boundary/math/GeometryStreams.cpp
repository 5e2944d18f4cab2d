// Stream operators of the geometry records: every member, in declaration order (the view and the
// projector by their field walks).
#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"
#include "boundary/math/FieldStreams.h"
#include "boundary/math/GViewportInfo.h"
#include "boundary/math/ProjectorFields.h"
#include "boundary/math/ProjectorInfo.h"
#include "boundary/math/Vector2D.h"
#include "boundary/math/Vector3D.h"

opstream& operator<<(opstream& out, const Vector2D& v) {
  return out << v.x << v.y;
}

ipstream& operator>>(ipstream& in, Vector2D& v) {
  return in >> v.x >> v.y;
}

opstream& operator<<(opstream& out, const Vector3D& v) {
  return out << v.x << v.y << v.z;
}

ipstream& operator>>(ipstream& in, Vector3D& v) {
  return in >> v.x >> v.y >> v.z;
}

opstream& operator<<(opstream& out, const GViewportPlaneInfo& plane) {
  return out << plane.origin << plane.direction << plane.up;
}

ipstream& operator>>(ipstream& in, GViewportPlaneInfo& plane) {
  return in >> plane.origin >> plane.direction >> plane.up;
}

opstream& operator<<(opstream& out, const GViewportWindowInfo& window) {
  return out << window.origin << window.size;
}

ipstream& operator>>(ipstream& in, GViewportWindowInfo& window) {
  return in >> window.origin >> window.size;
}

opstream& operator<<(opstream& out, const GViewportInfo& view) {
  FieldStreamWriter writer(out);
  walkViewFields(writer, view);
  return out;
}

ipstream& operator>>(ipstream& in, GViewportInfo& view) {
  FieldStreamReader reader(in);
  walkViewFields(reader, view);
  return in;
}

opstream& operator<<(opstream& out, const ProjectorInfo& projector) {
  FieldStreamWriter writer(out);
  walkProjectorFields(writer, projector);
  return out;
}

ipstream& operator>>(ipstream& in, ProjectorInfo& projector) {
  FieldStreamReader reader(in);
  walkProjectorFields(reader, projector);
  return in;
}
