#include "tools/vxrinfo/text/NumberText.h"

#include <charconv>
#include <cmath>

namespace {

template <class Real>
std::string shortest(Real value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

std::string formatDouble(double value) {
  return shortest(value);
}

std::string formatFloat(float value) {
  return shortest(value);
}

std::string formatShort(double value, int decimals) {
  if (!std::isfinite(value))
    return shortest(value);
  char text[400];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string out(text, result.ptr);
  if (out.find('.') != std::string::npos) {
    while (!out.empty() && out.back() == '0')
      out.pop_back();
    if (!out.empty() && out.back() == '.')
      out.pop_back();
  }
  if (out == "-0")
    out = "0";
  return out;
}
