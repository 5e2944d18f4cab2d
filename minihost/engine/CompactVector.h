#pragma once
// A vector of plain values (handles, connections, numbers) in 16 bytes instead of 24: a pointer
// and 32-bit size and capacity. Every node of a scene carries a few of these (children, inputs,
// outputs, stored values), nearly all of them empty or short, and a shot holds tens of thousands
// of nodes. A single value no larger than the pointer (a transform's one shape, a handle) is
// kept in the pointer's place, without an allocation of its own. Runs out of memory as
// std::vector does, by throwing std::bad_alloc.

#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <type_traits>
#include <vector>

namespace minihost {

template <typename T>
class CompactVector {
  static_assert(std::is_trivially_copyable<T>::value, "copied as bytes");

 public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  CompactVector() = default;
  CompactVector(const CompactVector& other) { assign(other.begin(), other.end()); }
  CompactVector(CompactVector&& other) noexcept
      : store_(other.store_), size_(other.size_), capacity_(other.capacity_) {
    other.store_.heap = nullptr;
    other.size_ = other.capacity_ = 0;
  }
  CompactVector& operator=(const CompactVector& other) {
    if (this != &other)
      assign(other.begin(), other.end());
    return *this;
  }
  CompactVector& operator=(CompactVector&& other) noexcept {
    if (this != &other) {
      release();
      store_ = other.store_;
      size_ = other.size_;
      capacity_ = other.capacity_;
      other.store_.heap = nullptr;
      other.size_ = other.capacity_ = 0;
    }
    return *this;
  }
  ~CompactVector() { release(); }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  size_t capacity() const { return capacity_; }
  T* data() { return inPlace() ? reinterpret_cast<T*>(store_.bytes) : store_.heap; }
  const T* data() const {
    return inPlace() ? reinterpret_cast<const T*>(store_.bytes) : store_.heap;
  }
  T* begin() { return data(); }
  T* end() { return data() + size_; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size_; }
  std::reverse_iterator<const T*> rbegin() const { return std::reverse_iterator<const T*>(end()); }
  std::reverse_iterator<const T*> rend() const { return std::reverse_iterator<const T*>(begin()); }
  T& operator[](size_t i) { return data()[i]; }
  const T& operator[](size_t i) const { return data()[i]; }
  T& front() { return data()[0]; }
  const T& front() const { return data()[0]; }
  T& back() { return data()[size_ - 1]; }
  const T& back() const { return data()[size_ - 1]; }

  std::vector<T> toVector() const { return std::vector<T>(begin(), end()); }

  void clear() { size_ = 0; }
  void reserve(size_t n) {
    if (n > capacity_)
      reallocate(n);
  }
  void push_back(const T& value) {
    if (size_ == capacity_) {
      const T copy = value;  // the value may live in this vector
      grow(size_ + 1);
      data()[size_++] = copy;
      return;
    }
    data()[size_++] = value;
  }
  T* insert(const T* pos, const T& value) {
    const size_t at = static_cast<size_t>(pos - data());
    const T copy = value;
    if (size_ == capacity_)
      grow(size_ + 1);
    T* d = data();
    std::memmove(d + at + 1, d + at, (size_ - at) * sizeof(T));
    d[at] = copy;
    ++size_;
    return d + at;
  }
  T* erase(const T* pos) { return erase(pos, pos + 1); }
  T* erase(const T* first, const T* last) {
    T* d = data();
    const size_t at = static_cast<size_t>(first - d);
    const size_t n = static_cast<size_t>(last - first);
    if (n == 0)
      return d + at;  // d may be null: nothing to move
    std::memmove(d + at, d + at + n, (size_ - at - n) * sizeof(T));
    size_ -= static_cast<uint32_t>(n);
    return d + at;
  }
  template <typename It>
  void assign(It first, It last) {
    const size_t n = static_cast<size_t>(last - first);
    if (n > capacity_) {
      release();
      reallocate(n);
    }
    T* d = data();
    size_t i = 0;
    for (; first != last; ++first)
      d[i++] = *first;
    size_ = static_cast<uint32_t>(n);
  }

 private:
  // One value fits in the pointer's place.
  static constexpr size_t kInPlace = sizeof(T) <= sizeof(T*) && alignof(T) <= alignof(T*) ? 1 : 0;
  bool inPlace() const { return kInPlace == 1 && capacity_ == 1; }

  void grow(size_t needed) {
    size_t next = capacity_ < 2 ? (capacity_ == 0 && kInPlace == 1 ? 1 : 2)
                                : size_t(capacity_) + capacity_ / 2;
    reallocate(next < needed ? needed : next);
  }
  void reallocate(size_t n) {
    if (n > std::numeric_limits<uint32_t>::max())
      throw std::bad_alloc();
    Store fresh;
    fresh.heap = nullptr;
    T* to = reinterpret_cast<T*>(fresh.bytes);
    if (n > kInPlace)
      to = fresh.heap = static_cast<T*>(::operator new(n * sizeof(T)));
    if (size_ > 0)
      std::memcpy(static_cast<void*>(to), data(), size_ * sizeof(T));
    if (!inPlace())
      ::operator delete(store_.heap);
    store_ = fresh;
    capacity_ = static_cast<uint32_t>(n);
  }
  void release() {
    if (!inPlace())
      ::operator delete(store_.heap);
    store_.heap = nullptr;
    size_ = capacity_ = 0;
  }

  union Store {
    T* heap;
    alignas(T*) unsigned char bytes[sizeof(T*)];
  };
  Store store_{nullptr};
  uint32_t size_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace minihost
