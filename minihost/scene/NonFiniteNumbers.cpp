#include "scene/NonFiniteNumbers.h"

#include <cctype>
#include <limits>
#include <string_view>

namespace minihost::scenefile {
namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
  if (text.size() != lowerWord.size())
    return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != lowerWord[i])
      return false;
  }
  return true;
}

// "1.#inf", "1.#qnan00", ...: the body after "1.#", without the trailing zeros.
bool windowsSpelling(std::string_view text, std::string_view& body) {
  if (text.substr(0, 3) != "1.#")
    return false;
  size_t end = text.size();
  while (end > 3 && text[end - 1] == '0')
    --end;
  body = text.substr(3, end - 3);
  return true;
}

}  // namespace

bool parseNonFiniteNumber(std::string_view text, double& out) {
  std::string_view t = text;
  bool negative = !t.empty() && (t[0] == '-' || t[0] == '+');
  if (negative) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  // Every spelling starts with one of these: most words are ruled out here.
  const int first = t.empty() ? 0 : std::tolower(static_cast<unsigned char>(t[0]));
  if (first != 'i' && first != 'n' && first != '1')
    return false;
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::string_view body;
  const bool windows = windowsSpelling(t, body);
  if (equalsIgnoringCase(t, "inf") || equalsIgnoringCase(t, "infinity") ||
      (windows && equalsIgnoringCase(body, "inf"))) {
    out = negative ? -inf : inf;
    return true;
  }
  if (equalsIgnoringCase(t, "nan") || equalsIgnoringCase(t, "nan(ind)") ||
      (windows && (equalsIgnoringCase(body, "qnan") || equalsIgnoringCase(body, "snan") ||
                   equalsIgnoringCase(body, "ind")))) {
    out = negative ? -nan : nan;
    return true;
  }
  return false;
}

}  // namespace minihost::scenefile
