#pragma once

#include "boundary/base/GRTTIObject.h"

class opstream;
class ipstream;

// An object that writes its data to an opstream and reads it back from an ipstream.
class GStreamable : public GRTTIObject {
 public:
  static constexpr type_info gTypeInfo_{"GStreamable"};

  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GRTTIObject::cast_to_;

  // Pointer sharing is not tracked by the streams: every pointer writes its object in full.
  virtual void enableSmartPointers(bool enable);
  // Releases what the object holds; it stays usable (empty) afterwards.
  virtual void shut_down() {}
  virtual void read(ipstream& in) = 0;
  virtual void write(opstream& out) const = 0;
  // A deep copy made through the class record and a memory round trip of the object's data;
  // null when the class has no record or the copy could not be read back.
  virtual GStreamable* clone() const;
};
