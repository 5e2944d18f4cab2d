#include "engine/AddAttrRequest.h"

#include <charconv>
#include <cmath>

namespace minihost {
namespace {

// Enums hold short integers; a field list longer than this is not a rig's.
constexpr size_t kMaxEnumFields = 1024;

struct TypeName {
  const char* name;
  AttrType type;
  int children;  // compounds of numbers written as one type ("double3")
};

const TypeName kTypeNames[] = {
    {"bool", AttrType::kBool, 0},
    {"long", AttrType::kInt, 0},
    {"short", AttrType::kShort, 0},
    {"byte", AttrType::kShort, 0},
    {"char", AttrType::kShort, 0},
    {"enum", AttrType::kEnum, 0},
    {"float", AttrType::kFloat, 0},
    {"double", AttrType::kDouble, 0},
    {"doubleLinear", AttrType::kDistance, 0},
    {"floatLinear", AttrType::kDistance, 0},
    {"doubleAngle", AttrType::kAngle, 0},
    {"floatAngle", AttrType::kAngle, 0},
    {"time", AttrType::kTime, 0},
    {"message", AttrType::kMessage, 0},
    {"compound", AttrType::kCompound, -1},
    {"double2", AttrType::kCompound, 2},
    {"double3", AttrType::kCompound, 3},
    {"float2", AttrType::kCompound, 2},
    {"float3", AttrType::kCompound, 3},
    {"long2", AttrType::kCompound, 2},
    {"long3", AttrType::kCompound, 3},
    {"short2", AttrType::kCompound, 2},
    {"short3", AttrType::kCompound, 3},
    {"reflectance", AttrType::kCompound, 3},
    {"spectrum", AttrType::kCompound, 3},
};

// "Off:On", "Low=1:High=5:Max": a field without a value takes the one after the field before.
bool enumFields(const std::string& text, DynamicAttribute& out, std::string& problem) {
  int next = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(':', start);
    if (end == std::string::npos)
      end = text.size();
    std::string field = text.substr(start, end - start);
    const size_t eq = field.find('=');
    int value = next;
    if (eq != std::string::npos) {
      const char* first = field.data() + eq + 1;
      const char* last = field.data() + field.size();
      auto r = std::from_chars(first, last, value);
      if (r.ec != std::errc() || r.ptr != last || value < -32768 || value > 32767) {
        problem = "enum field \"" + field + "\" has no whole value";
        return false;
      }
      field.erase(eq);
    }
    if (!field.empty()) {
      if (out.enumFields.size() >= kMaxEnumFields) {
        problem = "more than " + std::to_string(kMaxEnumFields) + " enum fields";
        return false;
      }
      out.enumFields.emplace_back(field, value);
      next = value + 1;
    }
    start = end + 1;
  }
  if (out.enumFields.empty()) {
    problem = "an enum attribute needs its fields (-en)";
    return false;
  }
  return true;
}

}  // namespace

bool makeDynamicAttribute(const AddAttrRequest& request, DynamicAttribute& out,
                          std::string& problem) {
  out = DynamicAttribute{};
  if (request.multi) {
    problem = "multi attributes (-m) are not kept";
    return false;
  }
  out.info.longName = request.longName.empty() ? request.shortName : request.longName;
  out.info.shortName = request.shortName.empty() ? out.info.longName : request.shortName;
  out.niceName = request.niceName;
  if (!request.dataType.empty()) {
    if (request.dataType != "string") {
      problem = "data type \"" + request.dataType + "\" is not kept (only \"string\" is)";
      return false;
    }
    out.info.type = AttrType::kString;
  } else {
    const std::string at = request.attributeType.empty() ? "double" : request.attributeType;
    const TypeName* found = nullptr;
    for (const TypeName& t : kTypeNames) {
      if (at == t.name)
        found = &t;
    }
    if (!found) {
      problem = "attribute type \"" + at + "\" is not kept";
      return false;
    }
    out.info.type = found->type;
    if (found->children > 0)
      out.expectedChildren = found->children;
    else if (found->children < 0 && request.numberOfChildren > 0)
      out.expectedChildren = request.numberOfChildren;
  }
  if (out.info.type == AttrType::kEnum && !enumFields(request.enumNames, out, problem))
    return false;
  for (double v : {request.defaultValue, request.minValue, request.maxValue}) {
    if (!std::isfinite(v)) {
      problem = "a default or limit is not a finite number";
      return false;
    }
  }
  out.info.defaultValue = request.hasDefault ? request.defaultValue : 0.0;
  out.info.keyable = request.keyable;
  out.hidden = request.hidden;
  out.limits.hasMin = request.hasMin;
  out.limits.minValue = request.minValue;
  out.limits.hasMax = request.hasMax;
  out.limits.maxValue = request.maxValue;
  out.limits.hasSoftMin = request.hasSoftMin;
  out.limits.softMin = request.softMin;
  out.limits.hasSoftMax = request.hasSoftMax;
  out.limits.softMax = request.softMax;
  if (out.limits.hasMin && out.limits.hasMax && out.limits.minValue > out.limits.maxValue) {
    problem = "the minimum is above the maximum";
    return false;
  }
  return true;
}

const char* attributeTypeName(AttrType type) {
  switch (type) {
    case AttrType::kBool:
      return "bool";
    case AttrType::kEnum:
      return "enum";
    case AttrType::kShort:
      return "short";
    case AttrType::kInt:
      return "long";
    case AttrType::kFloat:
      return "float";
    case AttrType::kDouble:
      return "double";
    case AttrType::kDistance:
      return "doubleLinear";
    case AttrType::kAngle:
      return "doubleAngle";
    case AttrType::kTime:
      return "time";
    case AttrType::kString:
      return "string";
    case AttrType::kMessage:
      return "message";
    case AttrType::kCompound:
      return "double3";
    case AttrType::kMatrix:
      return "matrix";
    case AttrType::kGeometry:
      return "nurbsCurve";  // the only geometry an attribute carries so far
  }
  return "double";
}

}  // namespace minihost
