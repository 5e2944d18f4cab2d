#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tools/vxrinfo/Vxrinfo.h"
#include "tools/vxrinfo/VxrinfoOptions.h"

namespace {

// A standard stream the caller closed is given a descriptor that refuses writes, so that no
// file the tool opens takes its number (a report would land in it) and writing the report fails
// as it should.
void occupyClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) >= 0)
      continue;
    const int placeholder = ::open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != fd) {
      ::dup2(placeholder, fd);
      ::close(placeholder);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  occupyClosedStandardStreams();
  std::vector<std::string> args(argv + 1, argv + argc);
  int status = runVxrinfo(args, std::cout, std::cerr);
  // The report is not written until the system has taken all of it: the buffered rest goes out
  // here, and a full disk or a closed stream shows only in this flush or in the close.
  std::cout.flush();
  const bool flushed = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (std::fclose(stdout) != 0 || !flushed)
    status = kExitOutputFailed;
  return status;
}
