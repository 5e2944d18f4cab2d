#include "engine/ScriptHost.h"

#include <cstdio>

namespace minihost {
namespace {
ScriptHost* installed = nullptr;
}

ScriptHost::~ScriptHost() = default;

void setScriptHost(ScriptHost* host) {
  installed = host;
}
ScriptHost* scriptHost() {
  return installed;
}

void printWarning(const std::string& text) {
  std::fprintf(stderr, "// Warning: %s\n", text.c_str());
}
void printError(const std::string& text) {
  std::fprintf(stderr, "// Error: %s\n", text.c_str());
}
void printInfo(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace minihost
