// Stream operators of the geometry records: every member, in declaration order.
#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"
#include "boundary/math/GViewportInfo.h"
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
  out << view.plane << view.window << view.eyeOffset;
  out.writeByte(view.perspective);
  return out << view.scale;
}

ipstream& operator>>(ipstream& in, GViewportInfo& view) {
  in >> view.plane >> view.window >> view.eyeOffset;
  view.perspective = in.readByte();
  return in >> view.scale;
}

opstream& operator<<(opstream& out, const ProjectorInfo& projector) {
  out << static_cast<const GViewportInfo&>(projector);
  out.writeDWord(static_cast<std::uint32_t>(projector.imageWidth));
  out.writeDWord(static_cast<std::uint32_t>(projector.imageHeight));
  return out;
}

ipstream& operator>>(ipstream& in, ProjectorInfo& projector) {
  in >> static_cast<GViewportInfo&>(projector);
  projector.imageWidth = static_cast<std::int32_t>(in.readDWord());
  projector.imageHeight = static_cast<std::int32_t>(in.readDWord());
  return in;
}
