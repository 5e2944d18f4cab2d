#include "boundary/base/BackgroundClose.h"

#include <pthread.h>
#include <unistd.h>

#include <cstddef>
#include <vector>

namespace {

class BackgroundCloser {
 public:
  ~BackgroundCloser() {
    pthread_mutex_lock(&lock_);
    const bool running = running_;
    stopping_ = true;
    pthread_cond_broadcast(&changed_);
    pthread_mutex_unlock(&lock_);
    if (running)
      pthread_join(thread_, nullptr);
    for (int fd : pending_)  // only when the thread never ran
      ::close(fd);
    pthread_cond_destroy(&changed_);
    pthread_mutex_destroy(&lock_);
  }

  void close(int fd) {
    pthread_mutex_lock(&lock_);
    if (!stopping_ && (running_ || startLocked())) {
      pending_.push_back(fd);
      pthread_cond_broadcast(&changed_);
      fd = -1;
    }
    pthread_mutex_unlock(&lock_);
    if (fd >= 0)
      ::close(fd);
  }

  void wait() {
    pthread_mutex_lock(&lock_);
    while (running_ && (!pending_.empty() || closing_))
      pthread_cond_wait(&changed_, &lock_);
    pthread_mutex_unlock(&lock_);
  }

 private:
  bool startLocked() {
    running_ = pthread_create(&thread_, nullptr, &BackgroundCloser::run, this) == 0;
    return running_;
  }

  static void* run(void* self) {
    static_cast<BackgroundCloser*>(self)->closePending();
    return nullptr;
  }

  void closePending() {
    pthread_mutex_lock(&lock_);
    for (;;) {
      while (pending_.empty() && !stopping_)
        pthread_cond_wait(&changed_, &lock_);
      if (pending_.empty())
        break;
      std::vector<int> batch;
      batch.swap(pending_);
      closing_ = true;
      pthread_mutex_unlock(&lock_);
      for (int fd : batch)
        ::close(fd);
      pthread_mutex_lock(&lock_);
      closing_ = false;
      pthread_cond_broadcast(&changed_);
    }
    pthread_mutex_unlock(&lock_);
  }

  pthread_t thread_{};
  pthread_mutex_t lock_ = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t changed_ = PTHREAD_COND_INITIALIZER;
  std::vector<int> pending_;
  bool running_ = false;
  bool stopping_ = false;
  bool closing_ = false;
};

BackgroundCloser& closer() {
  static BackgroundCloser instance;
  return instance;
}

}  // namespace

void closeInBackground(int fd) {
  if (fd >= 0)
    closer().close(fd);
}

void waitForBackgroundCloses() {
  closer().wait();
}
