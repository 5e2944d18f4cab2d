#include "scene/NonFiniteNumbers.h"

#include <cctype>
#include <limits>

namespace minihost::scenefile {
namespace {

std::string lower(const std::string& text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "1.#inf", "1.#qnan00", ...: the body after "1.#", without the trailing zeros.
bool windowsSpelling(const std::string& text, std::string& body) {
  if (text.compare(0, 3, "1.#") != 0)
    return false;
  size_t end = text.size();
  while (end > 3 && text[end - 1] == '0')
    --end;
  body = text.substr(3, end - 3);
  return true;
}

}  // namespace

bool parseNonFiniteNumber(const std::string& text, double& out) {
  std::string t = lower(text);
  bool negative = !t.empty() && (t[0] == '-' || t[0] == '+');
  if (negative) {
    negative = t[0] == '-';
    t.erase(0, 1);
  }
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::string body;
  if (t == "inf" || t == "infinity" || (windowsSpelling(t, body) && body == "inf")) {
    out = negative ? -inf : inf;
    return true;
  }
  if (t == "nan" || t == "nan(ind)" ||
      (windowsSpelling(t, body) && (body == "qnan" || body == "snan" || body == "ind"))) {
    out = negative ? -nan : nan;
    return true;
  }
  return false;
}

}  // namespace minihost::scenefile
