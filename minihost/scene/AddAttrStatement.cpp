#include "scene/AddAttrStatement.h"

#include <cctype>
#include <charconv>
#include <string_view>

#include "scene/NonFiniteNumbers.h"

namespace minihost::scenefile {
namespace {

bool flagWord(const StatementWord& t) {
  return t.kind == TokenKind::kWord && t.text.size() >= 2 && t.text[0] == '-' &&
         std::isalpha(static_cast<unsigned char>(t.text[1]));
}

bool boolWord(std::string_view text, bool& out) {
  if (text == "true" || text == "on" || text == "yes" || text == "1") {
    out = true;
    return true;
  }
  if (text == "false" || text == "off" || text == "no" || text == "0") {
    out = false;
    return true;
  }
  return false;
}

bool numberWord(std::string_view text, double& out) {
  const char* first = text.data();
  const char* last = first + text.size();
  auto r = std::from_chars(first, last, out);
  return (r.ec == std::errc() && r.ptr == last) || parseNonFiniteNumber(text, out);
}

// Flags that take no value: -m, -uac, -uaf and their long names.
bool valueless(std::string_view flag) {
  return flag == "m" || flag == "multi" || flag == "uac" || flag == "usedAsColor" ||
         flag == "uaf" || flag == "usedAsFilename";
}

// "-" and the flag's name, for a message.
std::string dashed(std::string_view flag) {
  return "-" + std::string(flag);
}

}  // namespace

bool readAddAttrStatement(const StatementWords& args, AddAttrRequest& out, std::string& problem) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (!flagWord(args[i])) {
      problem = "names a node (\"" + std::string(args[i].text.substr(0, 64)) +
                "\"); only the current one is "
                "taken";
      return false;
    }
    const std::string_view flag = args[i].text.substr(1);
    if (valueless(flag)) {
      if (flag == "m" || flag == "multi")
        out.multi = true;
      continue;
    }
    if (i + 1 >= args.size() || flagWord(args[i + 1])) {
      problem = dashed(flag.substr(0, 32)) + " has no value";
      return false;
    }
    const std::string_view value = args[++i].text;
    double number = 0.0;
    bool yes = false;
    auto needNumber = [&](bool& has, double& target) {
      if (!numberWord(value, number)) {
        problem = dashed(flag) + " needs a number";
        return false;
      }
      has = true;
      target = number;
      return true;
    };
    if (flag == "ln" || flag == "longName") {
      out.longName = value;
    } else if (flag == "sn" || flag == "shortName") {
      out.shortName = value;
    } else if (flag == "nn" || flag == "niceName") {
      out.niceName = value;
    } else if (flag == "at" || flag == "attributeType") {
      out.attributeType = value;
    } else if (flag == "dt" || flag == "dataType") {
      out.dataType = value;
    } else if (flag == "p" || flag == "parent") {
      out.parent = value;
    } else if (flag == "en" || flag == "enumName") {
      out.enumNames = value;
    } else if (flag == "nc" || flag == "numberOfChildren") {
      int count = 0;
      auto r = std::from_chars(value.data(), value.data() + value.size(), count);
      if (r.ec != std::errc() || r.ptr != value.data() + value.size() || count < 0) {
        problem = "-nc needs a count";
        return false;
      }
      out.numberOfChildren = count;
    } else if (flag == "dv" || flag == "defaultValue") {
      if (!needNumber(out.hasDefault, out.defaultValue))
        return false;
    } else if (flag == "min" || flag == "minValue") {
      if (!needNumber(out.hasMin, out.minValue))
        return false;
    } else if (flag == "max" || flag == "maxValue") {
      if (!needNumber(out.hasMax, out.maxValue))
        return false;
    } else if (flag == "smn" || flag == "softMinValue") {
      if (!needNumber(out.hasSoftMin, out.softMin))
        return false;
    } else if (flag == "smx" || flag == "softMaxValue") {
      if (!needNumber(out.hasSoftMax, out.softMax))
        return false;
    } else if (flag == "k" || flag == "keyable" || flag == "h" || flag == "hidden" ||
               flag == "hnv" || flag == "hasMinValue" || flag == "hxv" || flag == "hasMaxValue") {
      if (!boolWord(value, yes)) {
        problem = dashed(flag) + " needs true or false";
        return false;
      }
      if (flag == "k" || flag == "keyable")
        out.keyable = yes;
      else if (flag == "h" || flag == "hidden")
        out.hidden = yes;
      else if (flag == "hnv" || flag == "hasMinValue")
        out.hasMin = yes;
      else
        out.hasMax = yes;
    } else if (flag == "ci" || flag == "cachedInternally" || flag == "is" ||
               flag == "internalSet" || flag == "s" || flag == "storable" || flag == "r" ||
               flag == "readable" || flag == "w" || flag == "writable" || flag == "ct" ||
               flag == "category" || flag == "dcb" || flag == "disconnectBehaviour" ||
               flag == "im" || flag == "indexMatters" || flag == "fp" || flag == "fromPlugin" ||
               flag == "hsn" || flag == "hasSoftMinValue" || flag == "hsx" ||
               flag == "hasSoftMaxValue" || flag == "bt" || flag == "binaryTag") {
      // What the scene does not model: how the value is cached, stored or shown.
    } else {
      problem = "does not take " + dashed(flag.substr(0, 32));
      return false;
    }
  }
  if (out.longName.empty() && out.shortName.empty()) {
    problem = "names no attribute";
    return false;
  }
  return true;
}

}  // namespace minihost::scenefile
