#pragma once
// A queue of records in blocks of a few hundred, filled at the back by the reader and emptied
// from the front by the builder. std::deque's blocks are 512 bytes, a handful of setAttr
// records: a shot's hundred thousand records then cost tens of thousands of allocations and
// frees, scattered through the heap while the scene's nodes are made. Records stay where they
// are once added (the builder keeps references to node entries' names), and a block is given
// back as soon as the front passes it.

#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace minihost::scenefile {

template <typename T, size_t kBlock = 256>
class ChunkedQueue {
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "blocks come from operator new");
  template <bool kConst>
  class Iterator;

 public:
  using value_type = T;
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;

  ChunkedQueue() = default;
  ChunkedQueue(const ChunkedQueue& other) {
    for (const T& item : other)
      push_back(item);
  }
  ChunkedQueue(ChunkedQueue&& other) noexcept { swap(other); }
  ChunkedQueue& operator=(ChunkedQueue other) noexcept {
    swap(other);
    return *this;
  }
  ~ChunkedQueue() { clear(); }

  void swap(ChunkedQueue& other) noexcept {
    blocks_.swap(other.blocks_);
    std::swap(begin_, other.begin_);
    std::swap(end_, other.end_);
  }

  size_t size() const { return end_ - begin_; }
  bool empty() const { return end_ == begin_; }

  // Counted from the front, as std::deque counts.
  T& operator[](size_t i) { return at(begin_ + i); }
  const T& operator[](size_t i) const { return at(begin_ + i); }
  T& front() { return at(begin_); }
  const T& front() const { return at(begin_); }
  T& back() { return at(end_ - 1); }
  const T& back() const { return at(end_ - 1); }

  template <typename... Args>
  T& emplace_back(Args&&... args) {
    if (end_ / kBlock == blocks_.size())
      blocks_.push_back(static_cast<T*>(::operator new(sizeof(T) * kBlock)));
    T* slot = &at(end_);
    new (slot) T(std::forward<Args>(args)...);
    ++end_;
    return *slot;
  }
  void push_back(const T& item) { emplace_back(item); }
  void push_back(T&& item) { emplace_back(std::move(item)); }

  void pop_back() {
    --end_;
    at(end_).~T();
    if (empty())
      clear();
  }

  void pop_front() {
    at(begin_).~T();
    ++begin_;
    if (empty()) {
      clear();
    } else if (begin_ % kBlock == 0) {
      // The block before the front holds nothing any more.
      ::operator delete(blocks_[begin_ / kBlock - 1]);
      blocks_[begin_ / kBlock - 1] = nullptr;
    }
  }

  void clear() {
    for (size_t i = begin_; i < end_; ++i)
      at(i).~T();
    for (T* block : blocks_)
      ::operator delete(block);
    std::vector<T*>().swap(blocks_);
    begin_ = end_ = 0;
  }

  iterator begin() { return iterator(this, begin_); }
  iterator end() { return iterator(this, end_); }
  const_iterator begin() const { return const_iterator(this, begin_); }
  const_iterator end() const { return const_iterator(this, end_); }

 private:
  T& at(size_t absolute) { return blocks_[absolute / kBlock][absolute % kBlock]; }
  const T& at(size_t absolute) const { return blocks_[absolute / kBlock][absolute % kBlock]; }

  template <bool kConst>
  class Iterator {
    using Queue = std::conditional_t<kConst, const ChunkedQueue, ChunkedQueue>;

   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = std::conditional_t<kConst, const T*, T*>;
    using reference = std::conditional_t<kConst, const T&, T&>;

    Iterator() = default;
    Iterator(Queue* queue, size_t index) : queue_(queue), index_(index) {}

    reference operator*() const { return queue_->at(index_); }
    pointer operator->() const { return &queue_->at(index_); }
    reference operator[](difference_type n) const { return *(*this + n); }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++index_;
      return old;
    }
    Iterator& operator--() {
      --index_;
      return *this;
    }
    Iterator operator--(int) {
      Iterator old = *this;
      --index_;
      return old;
    }
    Iterator& operator+=(difference_type n) {
      index_ = static_cast<size_t>(static_cast<difference_type>(index_) + n);
      return *this;
    }
    Iterator& operator-=(difference_type n) { return *this += -n; }
    friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
    friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
    friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const Iterator& a, const Iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }
    friend bool operator!=(const Iterator& a, const Iterator& b) { return a.index_ != b.index_; }
    friend bool operator<(const Iterator& a, const Iterator& b) { return a.index_ < b.index_; }
    friend bool operator>(const Iterator& a, const Iterator& b) { return b < a; }
    friend bool operator<=(const Iterator& a, const Iterator& b) { return !(b < a); }
    friend bool operator>=(const Iterator& a, const Iterator& b) { return !(a < b); }

   private:
    Queue* queue_ = nullptr;
    size_t index_ = 0;
  };

  std::vector<T*> blocks_;  // blocks before the front's are given back (null)
  size_t begin_ = 0;        // the front's index, counted from the first block's first record
  size_t end_ = 0;
};

}  // namespace minihost::scenefile
