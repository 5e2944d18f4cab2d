#include "boundary/base/GStreamable.h"

#include "boundary/base/GMetaClass.h"
#include "boundary/base/impstream.h"
#include "boundary/base/ompstream.h"

void* GStreamable::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GRTTIObject::cast_to_(id);
}

void GStreamable::enableSmartPointers(bool /*enable*/) {}

GStreamable* GStreamable::clone() const {
  const GMetaClass* record = getMetaClass();
  if (record == nullptr)
    return nullptr;
  GRTTIObject* made = record->create();
  GStreamable* copy = gcast<GStreamable>(made);
  if (copy == nullptr) {
    record->destroy(made);
    return nullptr;
  }
  ompstream out;
  write(out);
  impstream in(out.data(), static_cast<long>(out.size()));
  if (!out.fail())
    copy->read(in);
  if (out.fail() || in.fail()) {
    record->destroy(made);
    return nullptr;
  }
  return copy;
}
