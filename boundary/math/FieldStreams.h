#pragma once

#include <cstdint>

#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"
#include "boundary/math/Vector2D.h"
#include "boundary/math/Vector3D.h"

// Field walkers that put a record's fields on a stream and take them back, for the records whose
// field order is told once by a walk function (walkProjectorFields, the key walks). A group
// (enter/leave) only names fields; it adds nothing to the stream.
class FieldStreamWriter {
 public:
  explicit FieldStreamWriter(opstream& out) : out_(out) {}

  void enter(const char* /*group*/) {}
  void leave() {}
  void byte(const char* /*name*/, std::uint8_t value) { out_.writeByte(value); }
  void dword(const char* /*name*/, std::int32_t value) {
    out_.writeDWord(static_cast<std::uint32_t>(value));
  }
  void real(const char* /*name*/, float value) { out_ << value; }
  void real(const char* /*name*/, double value) { out_ << value; }
  void vector(const char* /*name*/, const Vector2D& value) { out_ << value; }
  void vector(const char* /*name*/, const Vector3D& value) { out_ << value; }

 private:
  opstream& out_;
};

class FieldStreamReader {
 public:
  explicit FieldStreamReader(ipstream& in) : in_(in) {}

  void enter(const char* /*group*/) {}
  void leave() {}
  void byte(const char* /*name*/, std::uint8_t& value) { value = in_.readByte(); }
  void dword(const char* /*name*/, std::int32_t& value) {
    value = static_cast<std::int32_t>(in_.readDWord());
  }
  void real(const char* /*name*/, float& value) { in_ >> value; }
  void real(const char* /*name*/, double& value) { in_ >> value; }
  void vector(const char* /*name*/, Vector2D& value) { in_ >> value; }
  void vector(const char* /*name*/, Vector3D& value) { in_ >> value; }

 private:
  ipstream& in_;
};
