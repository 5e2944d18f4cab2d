#pragma once
// Names of a referenced file's nodes as the scene knows them: every node of a file referenced
// under namespace "cam" is "cam:<name>", and a file it references in turn under "lens" puts
// its nodes in "cam:lens:". A name that starts with ':' is in the root namespace already.

#include <string>

namespace minihost::scenefile {

// "a|b.tx" in namespace "cam:" is "cam:a|cam:b.tx"; "|a|b" is "|cam:a|cam:b"; ":time1" is
// "time1" in any namespace. `prefix` ends in ':' or is empty.
std::string inNamespace(const std::string& prefix, const std::string& nameOrPlug);

// The namespace prefix of a reference: the parent's prefix, then the reference's -ns; ":" is
// the parent's own namespace. Empty -ns keeps the parent's too.
std::string childNamespace(const std::string& parentPrefix, const std::string& ns);

}  // namespace minihost::scenefile
