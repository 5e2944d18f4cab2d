#pragma once
// The numbers of one setAttr statement, in 16 bytes: a file holds one statement per attribute of
// tens of thousands of nodes, nearly all of them with a single number, which is kept in place.
// More go to a vector of their own, which a mesh's staging takes over whole (a large array is
// never copied).

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace minihost::scenefile {

class ValueNumbers {
 public:
  ValueNumbers() : one_(0.0) {}
  ValueNumbers(const ValueNumbers& other) : one_(0.0) { assign(other.begin(), other.end()); }
  ValueNumbers(ValueNumbers&& other) noexcept : one_(0.0) { take(other); }
  ValueNumbers& operator=(const ValueNumbers& other) {
    if (this != &other)
      assign(other.begin(), other.end());
    return *this;
  }
  ValueNumbers& operator=(ValueNumbers&& other) noexcept {
    if (this != &other) {
      release();
      take(other);
    }
    return *this;
  }
  ~ValueNumbers() { release(); }

  size_t size() const { return heap_ ? many_->size() : held_; }
  bool empty() const { return size() == 0; }
  const double* data() const { return heap_ ? many_->data() : &one_; }
  double* data() { return heap_ ? many_->data() : &one_; }
  const double* begin() const { return data(); }
  const double* end() const { return data() + size(); }
  double operator[](size_t i) const { return data()[i]; }
  double& operator[](size_t i) { return data()[i]; }
  double back() const { return data()[size() - 1]; }
  std::vector<double> toVector() const { return std::vector<double>(begin(), end()); }

  void clear() {
    if (heap_)
      many_->clear();
    held_ = 0;
  }
  void push_back(double value) {
    if (heap_) {
      many_->push_back(value);
    } else if (held_ == 0) {
      one_ = value;
      held_ = 1;
    } else {
      toHeap(2);
      many_->push_back(value);
    }
  }
  void reserve(size_t n) {
    if (heap_)
      many_->reserve(n);
    else if (n > 1)
      toHeap(n);
  }
  void assign(const double* first, const double* last) {
    clear();
    reserve(static_cast<size_t>(last - first));
    for (; first != last; ++first)
      push_back(*first);
  }
  // Takes the vector's numbers without copying them.
  void assign(std::vector<double>&& numbers) {
    release();
    if (numbers.size() <= 1) {
      for (double n : numbers)
        push_back(n);
      return;
    }
    many_ = new std::vector<double>(std::move(numbers));
    heap_ = true;
  }
  // The numbers as a vector, moved out; this list is left empty.
  std::vector<double> takeVector() {
    std::vector<double> out;
    if (heap_)
      out = std::move(*many_);
    else if (held_ == 1)
      out.push_back(one_);
    release();
    return out;
  }
  // Gives back the heap room, keeping nothing.
  void release() {
    if (heap_)
      delete many_;
    one_ = 0.0;
    heap_ = false;
    held_ = 0;
  }

 private:
  void toHeap(size_t room) {
    auto numbers = std::make_unique<std::vector<double>>();
    numbers->reserve(room);
    if (held_ == 1)
      numbers->push_back(one_);
    many_ = numbers.release();
    heap_ = true;
    held_ = 0;
  }
  void take(ValueNumbers& other) {
    heap_ = other.heap_;
    held_ = other.held_;
    if (heap_)
      many_ = other.many_;
    else
      one_ = other.one_;
    other.one_ = 0.0;
    other.heap_ = false;
    other.held_ = 0;
  }

  union {
    double one_;
    std::vector<double>* many_;
  };
  bool heap_ = false;
  uint8_t held_ = 0;  // 0 or 1 numbers kept in place
};

}  // namespace minihost::scenefile
