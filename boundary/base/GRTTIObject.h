#pragma once

#include "boundary/base/TypeInfo.h"

class GMetaClass;

// Root of every class that has a class record. Identity checks go through cast_to_, which
// answers the object as the class of the given identity, or null when it is not one.
class GRTTIObject {
 public:
  static constexpr type_info gTypeInfo_{"GRTTIObject"};

  GRTTIObject() = default;
  GRTTIObject(const GRTTIObject&) = default;
  GRTTIObject& operator=(const GRTTIObject&) = default;
  virtual ~GRTTIObject() = default;

  // The class record used to recreate the object by name; null for classes without one.
  virtual const GMetaClass* getMetaClass() const { return nullptr; }
  virtual const type_info& getTypeInfo_() const { return gTypeInfo_; }
  // This object as the class of `id` (a pointer to that class's subobject), or null.
  virtual void* cast_to_(const type_info& id);

  const void* cast_to_(const type_info& id) const {
    return const_cast<GRTTIObject*>(this)->cast_to_(id);
  }
};

// Typed form of cast_to_: gcast<Track>(object) is the object as a Track, or null.
template <class T>
T* gcast(GRTTIObject* object) {
  return object ? static_cast<T*>(object->cast_to_(T::gTypeInfo_)) : nullptr;
}
