#pragma once

#include <pthread.h>

#include <cstddef>

// Writes a file's data on a thread of its own, so that the caller fills the next chunk while the
// system copies the previous one into its page cache (and, when asked, starts putting it on
// disk). The caller owns the descriptor and must not use it between start() and finish().
//
// Chunks go round a small ring in order: the caller fills one, hands it over with submit() and
// gets the next free one back, waiting only when every chunk is still queued. After a failed
// write the thread writes nothing more; submit() then answers nullptr and finish() false.
class WriteBehind {
 public:
  static constexpr std::size_t chunkSize = 1024 * 1024;
  static constexpr std::size_t chunkCount = 4;

  WriteBehind() = default;
  ~WriteBehind();  // finishes, writing what was submitted
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  // Starts the thread writing to `fd` at its current offset. `written` is the number of bytes
  // the file already holds; with `writebackStep` nonzero, every time that much more has been
  // written since `writebackFrom` the system is asked to start writing it to disk. Returns the
  // first chunk to fill, or nullptr when no memory or thread could be had (nothing started).
  char* start(int fd, std::size_t written, std::size_t writebackFrom, std::size_t writebackStep);

  // Queues the first `length` bytes of the chunk being filled and returns the next chunk to
  // fill, or nullptr once a write has failed.
  char* submit(std::size_t length);

  // Queues the first `length` bytes of the chunk being filled (none when `length` is 0), waits
  // until everything queued is written and stops the thread. True when every write succeeded.
  // A second call returns the first one's answer.
  bool finish(std::size_t length);

  // The file's length once finished.
  std::size_t written() const { return written_; }

 private:
  static void* run(void* self);
  void writeQueued();
  char* chunk(std::size_t index) const { return memory_ + (index % chunkCount) * chunkSize; }

  pthread_t thread_{};
  pthread_mutex_t lock_ = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t changed_ = PTHREAD_COND_INITIALIZER;
  bool running_ = false;
  bool finished_ = false;
  bool finishResult_ = false;
  char* memory_ = nullptr;
  int fd_ = -1;

  // Guarded by lock_: chunks handed over and chunks the thread is done with, counted from the
  // start; the chunk being filled is number `submitted_`.
  std::size_t submitted_ = 0;
  std::size_t done_ = 0;
  std::size_t lengths_[chunkCount] = {};
  bool stopping_ = false;
  bool failed_ = false;

  // The thread's own until finish() joins it.
  std::size_t written_ = 0;
  std::size_t writebackFrom_ = 0;
  std::size_t writebackStep_ = 0;
};
