#include "boundary/base/TypeInfo.h"

#include <cstring>

bool type_info::operator==(const type_info& other) const {
  if (this == &other || name_ == other.name_)
    return true;
  if (name_ == nullptr || other.name_ == nullptr)
    return false;
  return std::strcmp(name_, other.name_) == 0;
}
