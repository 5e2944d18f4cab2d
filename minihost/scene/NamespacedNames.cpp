#include "scene/NamespacedNames.h"

namespace minihost::scenefile {

std::string inNamespace(const std::string& prefix, const std::string& text) {
  std::string out;
  out.reserve(text.size() + prefix.size() * 4);
  // Only the node part is named in a namespace: the attribute after the first '.' stays.
  size_t dot = text.find('.');
  size_t nodeEnd = dot == std::string::npos ? text.size() : dot;
  bool atStart = true;
  for (size_t i = 0; i < nodeEnd; ++i) {
    char c = text[i];
    if (c == '|') {
      out += c;
      atStart = true;
      continue;
    }
    if (atStart) {
      atStart = false;
      if (c == ':')
        continue;  // root namespace
      out += prefix;
    }
    out += c;
  }
  out.append(text, nodeEnd, std::string::npos);
  return out;
}

std::string childNamespace(const std::string& parentPrefix, const std::string& ns) {
  std::string name = ns;
  while (!name.empty() && name.front() == ':')
    name.erase(0, 1);
  while (!name.empty() && name.back() == ':')
    name.pop_back();
  return name.empty() ? parentPrefix : parentPrefix + name + ":";
}

}  // namespace minihost::scenefile
