#include "BatchHostRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/FileText.h"

BatchHostRun runBatchHost(const std::string& folder, const std::vector<std::string>& args,
                          rlim_t addressSpace, unsigned seconds) {
  BatchHostRun run;
  const std::string out = folder + "/host.out", err = folder + "/host.err";
  std::vector<const char*> argv{VXR_MINIHOST_CLI};
  for (const std::string& a : args)
    argv.push_back(a.c_str());
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (outFd < 0 || errFd < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 ||
        ::chdir(folder.c_str()) != 0)
      ::_exit(120);
    if (addressSpace != 0) {
      struct rlimit limit = {addressSpace, addressSpace};
      if (::setrlimit(RLIMIT_AS, &limit) != 0)
        ::_exit(121);
    }
    ::alarm(seconds);
    ::execv(VXR_MINIHOST_CLI, const_cast<char* const*>(argv.data()));
    ::_exit(122);
  }
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child)
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.output = readBytes(out);
  run.errors = readBytes(err);
  return run;
}

bool builtWithAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}
