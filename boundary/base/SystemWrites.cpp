#include "boundary/base/SystemWrites.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

bool writeAll(int fd, const char* bytes, std::size_t length) {
  while (length > 0) {
    ssize_t n = ::write(fd, bytes, length);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

void startWriteback(int fd, std::size_t from, std::size_t length) {
#if defined(__linux__)
  // A failure here changes nothing: the sync at close still writes and reports.
  ::sync_file_range(fd, static_cast<off_t>(from), static_cast<off_t>(length),
                    SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)from;
  (void)length;
#endif
}
