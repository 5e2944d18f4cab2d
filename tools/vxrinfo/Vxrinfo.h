#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The whole tool: runs the command line `args` (without the program name), writes its report to
// `out` and complaints about the command line to `err`, and returns the exit status
// (VxrinfoExit).
int runVxrinfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
