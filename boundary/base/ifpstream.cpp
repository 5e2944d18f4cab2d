#include "boundary/base/ifpstream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

ifpstream::ifpstream(const char* path, int openMode, int /*createMode*/, int /*shareMode*/) {
  if (path == nullptr || (openMode & GIO::IORead) == 0) {
    setFailure(badbit);
    return;
  }
  // Opening a named pipe waits for a writer, which may never come: open without waiting, then
  // read as usual. A pipe that no one writes to then reads as empty.
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    setFailure(badbit);
    return;
  }
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close();
    setFailure(badbit);
    return;
  }
  struct stat info;
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    close();
    setFailure(badbit);
    return;
  }
  if (S_ISREG(info.st_mode)) {
    sizeKnown_ = true;
    unreadInFile_ = static_cast<std::size_t>(info.st_size);
  }
  buffer_ = static_cast<char*>(std::malloc(bufferSize));
  if (buffer_ == nullptr) {
    close();
    setFailure(badbit);
  }
}

ifpstream::~ifpstream() {
  close();
  std::free(buffer_);
}

bool ifpstream::close() {
  if (fd_ < 0)
    return true;
  bool ok = ::close(fd_) == 0;
  fd_ = -1;
  setBuffer(nullptr, nullptr);
  unreadInFile_ = 0;
  return ok;
}

std::size_t ifpstream::remaining() const {
  if (fail())
    return 0;
  if (!sizeKnown_)
    return unknownRemaining;
  return buffered() + unreadInFile_;
}

bool ifpstream::underflow(std::size_t needed) {
  if (fd_ < 0 || buffer_ == nullptr)
    return false;
  // Keep the unread tail at the front, then top the buffer up with one large read.
  std::size_t filled = buffered();
  if (filled > 0)
    std::memmove(buffer_, readCursor(), filled);
  while (filled < needed) {
    ssize_t n = ::read(fd_, buffer_ + filled, bufferSize - filled);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      setBuffer(buffer_, buffer_ + filled);
      setFailure(badbit);
      return false;
    }
    if (n == 0)
      break;
    filled += static_cast<std::size_t>(n);
    std::size_t got = static_cast<std::size_t>(n);
    unreadInFile_ -= got < unreadInFile_ ? got : unreadInFile_;
  }
  setBuffer(buffer_, buffer_ + filled);
  return filled >= needed;
}
