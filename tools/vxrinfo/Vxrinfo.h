#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class FaultList;
class TextSink;

// The whole tool: runs the command line `args` (without the program name), writes its report to
// `out` and complaints about the command line to `err`, and returns the exit status
// (VxrinfoExit).
int runVxrinfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Lists `faults` of the file `path`, one a line (FILE:OFFSET: error: ...), as every mode does.
void listFaults(const std::string& path, const FaultList& faults, TextSink& out);
