#pragma once
// Common storage of the host's value arrays (MIntArray, MPointArray, ...).
// Every array class is a thin named wrapper over this template.

#include <algorithm>
#include <vector>

#include <maya/MStatus.h>

namespace minihost_detail {

template <class T>
class ArrayBase {
 public:
  ArrayBase() = default;
  ArrayBase(unsigned int length, const T& initial) : items_(length, initial) {}
  ArrayBase(const T* src, unsigned int count) : items_(src, src + count) {}

  unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
  // Out-of-range access yields a scratch element instead of touching foreign memory.
  T& operator[](unsigned int index) { return index < items_.size() ? items_[index] : scratch(); }
  const T& operator[](unsigned int index) const {
    return index < items_.size() ? items_[index] : scratch();
  }
  MStatus set(const T& value, unsigned int index) {
    if (index >= items_.size())
      return MS::kFailure;
    items_[index] = value;
    return MS::kSuccess;
  }
  MStatus setLength(unsigned int length) {
    items_.resize(length);
    return MS::kSuccess;
  }
  MStatus append(const T& value) {
    items_.push_back(value);
    return MS::kSuccess;
  }
  MStatus insert(const T& value, unsigned int index) {
    if (index > items_.size())
      return MS::kFailure;
    items_.insert(items_.begin() + index, value);
    return MS::kSuccess;
  }
  MStatus remove(unsigned int index) {
    if (index >= items_.size())
      return MS::kFailure;
    items_.erase(items_.begin() + index);
    return MS::kSuccess;
  }
  MStatus clear() {
    items_.clear();
    return MS::kSuccess;
  }
  MStatus copy(const ArrayBase& source) {
    items_ = source.items_;
    return MS::kSuccess;
  }
  void setSizeIncrement(unsigned int) {}
  MStatus get(T* dest) const {
    std::copy(items_.begin(), items_.end(), dest);
    return MS::kSuccess;
  }

  // Direct access for the host's own implementation (bulk fills of large meshes).
  std::vector<T>& storage() { return items_; }
  const std::vector<T>& storage() const { return items_; }

 private:
  static T& scratch() {
    static thread_local T value;
    value = T();
    return value;
  }
  std::vector<T> items_;
};

}  // namespace minihost_detail

#define MINIHOST_DECLARE_ARRAY(ClassName, ElementType)                                  \
  class ClassName : public minihost_detail::ArrayBase<ElementType> {                    \
   public:                                                                              \
    ClassName() = default;                                                              \
    ClassName(const ClassName&) = default;                                              \
    ClassName& operator=(const ClassName&) = default;                                   \
    explicit ClassName(unsigned int length, const ElementType& initial = ElementType()) \
        : minihost_detail::ArrayBase<ElementType>(length, initial) {}                   \
    ClassName(const ElementType* src, unsigned int count)                               \
        : minihost_detail::ArrayBase<ElementType>(src, count) {}                        \
  }
