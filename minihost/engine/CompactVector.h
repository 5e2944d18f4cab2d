#pragma once
// A vector of plain values (handles, connections, numbers) in 16 bytes instead of 24: a pointer
// and 32-bit size and capacity. Every node of a scene carries a few of these (children, inputs,
// outputs, stored values), nearly all of them empty or short, and a shot holds tens of thousands
// of nodes. Runs out of memory as std::vector does, by throwing std::bad_alloc.

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
      : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
    other.data_ = nullptr;
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
      data_ = other.data_;
      size_ = other.size_;
      capacity_ = other.capacity_;
      other.data_ = nullptr;
      other.size_ = other.capacity_ = 0;
    }
    return *this;
  }
  ~CompactVector() { release(); }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  size_t capacity() const { return capacity_; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  std::reverse_iterator<const T*> rbegin() const { return std::reverse_iterator<const T*>(end()); }
  std::reverse_iterator<const T*> rend() const { return std::reverse_iterator<const T*>(begin()); }
  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  T& front() { return data_[0]; }
  const T& front() const { return data_[0]; }
  T& back() { return data_[size_ - 1]; }
  const T& back() const { return data_[size_ - 1]; }

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
      data_[size_++] = copy;
      return;
    }
    data_[size_++] = value;
  }
  T* insert(const T* pos, const T& value) {
    const size_t at = static_cast<size_t>(pos - data_);
    const T copy = value;
    if (size_ == capacity_)
      grow(size_ + 1);
    std::memmove(data_ + at + 1, data_ + at, (size_ - at) * sizeof(T));
    data_[at] = copy;
    ++size_;
    return data_ + at;
  }
  T* erase(const T* pos) { return erase(pos, pos + 1); }
  T* erase(const T* first, const T* last) {
    const size_t at = static_cast<size_t>(first - data_);
    const size_t n = static_cast<size_t>(last - first);
    if (n == 0)
      return data_ + at;  // data_ may be null: nothing to move
    std::memmove(data_ + at, data_ + at + n, (size_ - at - n) * sizeof(T));
    size_ -= static_cast<uint32_t>(n);
    return data_ + at;
  }
  template <typename It>
  void assign(It first, It last) {
    const size_t n = static_cast<size_t>(last - first);
    if (n > capacity_) {
      release();
      reallocate(n);
    }
    size_t i = 0;
    for (; first != last; ++first)
      data_[i++] = *first;
    size_ = static_cast<uint32_t>(n);
  }

 private:
  void grow(size_t needed) {
    size_t next = capacity_ < 2 ? 2 : size_t(capacity_) + capacity_ / 2;
    reallocate(next < needed ? needed : next);
  }
  void reallocate(size_t n) {
    if (n > std::numeric_limits<uint32_t>::max())
      throw std::bad_alloc();
    T* fresh = n == 0 ? nullptr : static_cast<T*>(::operator new(n * sizeof(T)));
    if (size_ > 0)
      std::memcpy(static_cast<void*>(fresh), data_, size_ * sizeof(T));
    ::operator delete(data_);
    data_ = fresh;
    capacity_ = static_cast<uint32_t>(n);
  }
  void release() {
    ::operator delete(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
  }

  T* data_ = nullptr;
  uint32_t size_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace minihost
