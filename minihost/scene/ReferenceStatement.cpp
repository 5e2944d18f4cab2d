#include "scene/ReferenceStatement.h"

#include <charconv>
#include <string_view>

namespace minihost::scenefile {
namespace {

bool isFlag(const StatementWord& t) {
  return t.kind == TokenKind::kWord && t.text.size() > 1 && t.text[0] == '-';
}

bool wholeNumber(std::string_view text, int& out) {
  auto r = std::from_chars(text.data(), text.data() + text.size(), out);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

// Flags with a value that say nothing the reader needs: options, proxies, locks, groups.
bool ignoredWithValue(std::string_view f) {
  return f == "-op" || f == "-options" || f == "-shd" || f == "-sharedNodes" || f == "-gl" ||
         f == "-groupLocator" || f == "-gn" || f == "-groupName" || f == "-lck" ||
         f == "-lockReference" || f == "-pmt" || f == "-prompt" || f == "-shadingNodes" ||
         f == "-apl" || f == "-activeProxy" || f == "-pxt" || f == "-proxyTag";
}

}  // namespace

bool readReferenceStatement(const StatementWords& args, int line, ReferenceEntry& out,
                            std::string& problem) {
  out = ReferenceEntry();
  out.line = line;
  bool reference = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const StatementWord a = args[i];
    if (!isFlag(a)) {
      out.path = a.text;
      continue;
    }
    const std::string_view f = a.text;
    if (f == "-r" || f == "-reference") {
      reference = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      problem = "file " + std::string(f) + " needs a value";
      return false;
    }
    const std::string_view value = args[++i].text;
    if (f == "-rdi" || f == "-referenceDepthInfo") {
      if (!wholeNumber(value, out.depth) || out.depth < 1) {
        problem = "file -rdi needs a depth";
        return false;
      }
    } else if (f == "-ns" || f == "-namespace") {
      out.nameSpace = value;
    } else if (f == "-rpr" || f == "-renamingPrefix") {
      out.renamePrefix = value;
    } else if (f == "-rfn" || f == "-referenceNode") {
      out.refNode = value;
    } else if (f == "-typ" || f == "-type") {
      out.type = value;
    } else if (f == "-dr" || f == "-deferReference") {
      out.deferred = value == "1" || value == "true" || value == "on" || value == "yes";
    } else if (!ignoredWithValue(f)) {
      --i;  // a flag without a value, taken as written
    }
  }
  if (!reference && out.depth == 0) {
    problem = "a file statement of a scene is a reference (-r) or its depth record (-rdi)";
    return false;
  }
  if (out.path.empty()) {
    problem = "the reference names no file";
    return false;
  }
  return true;
}

}  // namespace minihost::scenefile
