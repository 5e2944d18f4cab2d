// tokenize, substring, match, gmatch, substitute, strcmp and other string commands.

#include <algorithm>
#include <cctype>
#include <regex>
#include <utility>
#include <vector>

#include "mel/Builtins.h"
#include "mel/Glob.h"
#include "mel/Interpreter.h"

namespace mel {

namespace {

// std::regex recurses per character; longer subjects are refused rather than risking the
// native stack.
constexpr std::size_t kMaxRegexSubject = 20000;

bool needArgs(CommandCall& call, std::size_t min, std::size_t max) {
  if (call.count() < min || call.count() > max) {
    return call.failNamed("Wrong number of arguments.");
  }
  return true;
}

// Compiling a pattern costs far more than matching a short subject, and scripts use a few
// patterns over and over (once per character of a name, say): the last ones compiled are kept.
constexpr std::size_t kKeptRegexes = 16;

bool compileRegex(CommandCall& call, const std::string& pattern, std::regex& out) {
  static std::vector<std::pair<std::string, std::regex>> kept;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (kept[i].first == pattern) {
      out = kept[i].second;
      return true;
    }
  }
  // Host regular expressions are POSIX extended ones.
  std::regex_constants::syntax_option_type options = std::regex::extended;
  std::regex compiled;
  // Module code throws nothing; std::regex reports a bad pattern by exception, so the
  // exception stops here.
  try {
    compiled = std::regex(pattern, options);
  } catch (const std::regex_error&) {
    return call.failNamed("Invalid regular expression: " + pattern);
  }
  if (kept.size() == kKeptRegexes)
    kept.erase(kept.begin());
  kept.emplace_back(pattern, compiled);
  out = std::move(compiled);
  return true;
}

bool cmdTokenize(CommandCall& call) {
  if (!needArgs(call, 2, 3))
    return false;
  std::size_t outIndex = call.count() - 1;
  Value* target = call.ref(outIndex);
  if (target == nullptr || target->type() != ValueType::kStringArray) {
    return call.failNamed("The last argument must be a string array variable.");
  }
  std::string text = call.arg(0).asString();
  std::string delims = call.count() == 3 ? call.arg(1).asString() : std::string(" ");
  if (delims.empty()) {
    delims = " ";
  }
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && delims.find(text[i]) != std::string::npos)
      ++i;
    if (i >= text.size())
      break;
    std::size_t end = i;
    while (end < text.size() && delims.find(text[end]) == std::string::npos)
      ++end;
    parts.push_back(text.substr(i, end - i));
    i = end;
  }
  call.result = Value(static_cast<int>(parts.size()));
  *target = Value(std::move(parts));
  return true;
}

bool cmdSubstring(CommandCall& call) {
  if (!needArgs(call, 3, 3))
    return false;
  std::string s = call.arg(0).asString();
  int start = call.arg(1).asInt();
  int end = call.arg(2).asInt();
  // 1-based and inclusive; a range outside the string is clipped to it.
  if (start < 1)
    start = 1;
  if (end > static_cast<int>(s.size()))
    end = static_cast<int>(s.size());
  if (start > end) {
    call.result = Value(std::string());
  } else {
    call.result = Value(
        s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start + 1)));
  }
  return true;
}

// Whether a pattern holds a '^' or '$' anchor (outside a bracket expression).
bool hasLineAnchor(const std::string& pattern) {
  bool inBracket = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\') {
      ++i;
    } else if (inBracket) {
      // "[]...]" and "[^]...]" hold a literal ']' first.
      const bool first = pattern[i - 1] == '[' || (pattern[i - 1] == '^' && pattern[i - 2] == '[');
      if (c == ']' && !first)
        inBracket = false;
    } else if (c == '[') {
      inBracket = true;
    } else if (c == '^' || c == '$') {
      return true;
    }
  }
  return false;
}

bool cmdMatch(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::string subject = call.arg(1).asString();
  if (subject.size() > kMaxRegexSubject)
    return call.failNamed("String too long.");
  const std::string pattern = call.arg(0).asString();
  std::regex re;
  if (!compileRegex(call, pattern, re))
    return false;
  std::smatch m;
  if (subject.find('\n') == std::string::npos || !hasLineAnchor(pattern)) {
    call.result = Value(std::regex_search(subject, m, re) ? m.str(0) : std::string());
    return true;
  }
  // The host's match anchors "^" and "$" to the start and end of a line, not of the whole
  // string: an anchored pattern is tried on each line in turn.
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = subject.find('\n', start);
    const std::string line =
        subject.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (std::regex_search(line, m, re)) {
      call.result = Value(m.str(0));
      return true;
    }
    if (end == std::string::npos)
      break;
    start = end + 1;
  }
  call.result = Value(std::string());
  return true;
}

bool cmdSubstitute(CommandCall& call) {
  if (!needArgs(call, 3, 3))
    return false;
  std::string subject = call.arg(1).asString();
  if (subject.size() > kMaxRegexSubject)
    return call.failNamed("String too long.");
  std::regex re;
  if (!compileRegex(call, call.arg(0).asString(), re))
    return false;
  std::string replacement = call.arg(2).asString();
  std::smatch m;
  if (std::regex_search(subject, m, re)) {
    // Only the first match is replaced, and the replacement is taken literally.
    std::string out = m.prefix().str() + replacement + m.suffix().str();
    call.result = Value(std::move(out));
  } else {
    call.result = Value(std::move(subject));
  }
  return true;
}

bool cmdGmatch(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  call.result = Value(globMatch(call.arg(1).asString(), call.arg(0).asString()) ? 1 : 0);
  return true;
}

bool cmdStrcmp(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  int c = call.arg(0).asString().compare(call.arg(1).asString());
  call.result = Value(c < 0 ? -1 : c > 0 ? 1 : 0);
  return true;
}

// The one argument with `change` applied to each byte.
bool mapEachByte(CommandCall& call, int (*change)(int)) {
  if (!needArgs(call, 1, 1))
    return false;
  std::string s = call.arg(0).asString();
  for (char& c : s)
    c = static_cast<char>(change(static_cast<unsigned char>(c)));
  call.result = Value(std::move(s));
  return true;
}

bool cmdToupper(CommandCall& call) {
  return mapEachByte(call, [](int c) { return std::toupper(c); });
}

bool cmdTolower(CommandCall& call) {
  return mapEachByte(call, [](int c) { return std::tolower(c); });
}

bool cmdStrip(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  std::string s = call.arg(0).asString();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b]))
    ++b;
  while (e > b && blank(s[e - 1]))
    --e;
  call.result = Value(s.substr(b, e - b));
  return true;
}

bool cmdStartsWith(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::string s = call.arg(0).asString();
  std::string p = call.arg(1).asString();
  call.result = Value(s.compare(0, p.size(), p) == 0 && s.size() >= p.size() ? 1 : 0);
  return true;
}

bool cmdEndsWith(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::string s = call.arg(0).asString();
  std::string p = call.arg(1).asString();
  call.result =
      Value(s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0 ? 1 : 0);
  return true;
}

bool cmdStringArrayToString(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::vector<std::string> parts = call.arg(0).asStringArray();
  std::string sep = call.arg(1).asString();
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0)
      out += sep;
    out += parts[i];
  }
  call.result = Value(std::move(out));
  return true;
}

bool cmdSort(CommandCall& call) {
  if (!needArgs(call, 1, 1))
    return false;
  Value v = call.arg(0);
  switch (v.type()) {
    case ValueType::kStringArray:
      std::sort(v.stringArray().begin(), v.stringArray().end());
      break;
    case ValueType::kIntArray:
      std::sort(v.intArray().begin(), v.intArray().end());
      break;
    case ValueType::kFloatArray:
      std::sort(v.floatArray().begin(), v.floatArray().end());
      break;
    default:
      return call.failNamed("The argument must be an int, float or string array.");
  }
  call.result = std::move(v);
  return true;
}

bool cmdStringArrayCount(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::string item = call.arg(0).asString();
  std::vector<std::string> a = call.arg(1).asStringArray();
  call.result = Value(static_cast<int>(std::count(a.begin(), a.end(), item)));
  return true;
}

bool cmdStringArrayContains(CommandCall& call) {
  if (!needArgs(call, 2, 2))
    return false;
  std::string item = call.arg(0).asString();
  std::vector<std::string> a = call.arg(1).asStringArray();
  call.result = Value(std::find(a.begin(), a.end(), item) != a.end() ? 1 : 0);
  return true;
}

}  // namespace

void registerStringBuiltins(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("tokenize", cmdTokenize, nullptr, true);
  t.set("substring", cmdSubstring);
  t.set("match", cmdMatch);
  t.set("substitute", cmdSubstitute);
  t.set("gmatch", cmdGmatch);
  t.set("strcmp", cmdStrcmp);
  t.set("toupper", cmdToupper);
  t.set("tolower", cmdTolower);
  t.set("strip", cmdStrip);
  t.set("startsWith", cmdStartsWith);
  t.set("endsWith", cmdEndsWith);
  t.set("stringArrayToString", cmdStringArrayToString, nullptr, true);
  t.set("sort", cmdSort, nullptr, true);
  t.set("stringArrayCount", cmdStringArrayCount, nullptr, true);
  t.set("stringArrayContains", cmdStringArrayContains, nullptr, true);
}

}  // namespace mel
