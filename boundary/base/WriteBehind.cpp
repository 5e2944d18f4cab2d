#include "boundary/base/WriteBehind.h"

#include <cstdlib>

#include "boundary/base/SystemWrites.h"

WriteBehind::~WriteBehind() {
  finish(0);
  pthread_cond_destroy(&changed_);
  pthread_mutex_destroy(&lock_);
}

char* WriteBehind::start(int fd, std::size_t written, std::size_t writebackFrom,
                         std::size_t writebackStep) {
  if (running_ || finished_)
    return nullptr;
  memory_ = static_cast<char*>(std::malloc(chunkCount * chunkSize));
  if (memory_ == nullptr)
    return nullptr;
  fd_ = fd;
  written_ = written;
  writebackFrom_ = writebackFrom;
  writebackStep_ = writebackStep;
  if (pthread_create(&thread_, nullptr, &WriteBehind::run, this) != 0) {
    std::free(memory_);
    memory_ = nullptr;
    return nullptr;
  }
  running_ = true;
  return chunk(0);
}

void* WriteBehind::run(void* self) {
  static_cast<WriteBehind*>(self)->writeQueued();
  return nullptr;
}

void WriteBehind::writeQueued() {
  pthread_mutex_lock(&lock_);
  for (;;) {
    while (done_ == submitted_ && !stopping_)
      pthread_cond_wait(&changed_, &lock_);
    if (done_ == submitted_)
      break;  // stopping, and everything is written
    const std::size_t index = done_;
    const std::size_t length = lengths_[index % chunkCount];
    const bool write = !failed_;
    pthread_mutex_unlock(&lock_);

    bool ok = true;
    if (write) {
      ok = writeAll(fd_, chunk(index), length);
      if (ok) {
        written_ += length;
        if (writebackStep_ != 0 && written_ - writebackFrom_ >= writebackStep_) {
          startWriteback(fd_, writebackFrom_, written_ - writebackFrom_);
          writebackFrom_ = written_;
        }
      }
    }

    pthread_mutex_lock(&lock_);
    if (!ok)
      failed_ = true;
    ++done_;
    pthread_cond_broadcast(&changed_);
  }
  pthread_mutex_unlock(&lock_);
}

char* WriteBehind::submit(std::size_t length) {
  if (!running_)
    return nullptr;
  pthread_mutex_lock(&lock_);
  lengths_[submitted_ % chunkCount] = length;
  ++submitted_;
  pthread_cond_broadcast(&changed_);
  // The next chunk is free once the thread is done with what it held a ring ago.
  while (submitted_ - done_ >= chunkCount && !failed_)
    pthread_cond_wait(&changed_, &lock_);
  const bool failed = failed_;
  const std::size_t next = submitted_;
  pthread_mutex_unlock(&lock_);
  return failed ? nullptr : chunk(next);
}

bool WriteBehind::finish(std::size_t length) {
  if (finished_ || !running_)
    return finishResult_;
  pthread_mutex_lock(&lock_);
  if (length > 0) {
    lengths_[submitted_ % chunkCount] = length;
    ++submitted_;
  }
  stopping_ = true;
  pthread_cond_broadcast(&changed_);
  pthread_mutex_unlock(&lock_);
  pthread_join(thread_, nullptr);

  running_ = false;
  finished_ = true;
  finishResult_ = !failed_;
  std::free(memory_);
  memory_ = nullptr;
  return finishResult_;
}
