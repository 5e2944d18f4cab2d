#include <maya/MPlug.h>

#include <cmath>

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MPlugArray.h>
#include <maya/MTime.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::AttrType;
using minihost::HandleAccess;
using minihost::kTicksPerSecond;
using minihost::NodeRef;
using minihost::Scene;

namespace {

void report(MStatus* s, MS::MStatusCode code) {
  if (s)
    *s = code;
}

MStatus readNumber(const MPlug& plug, double& out, const MDGContext& ctx) {
  NodeRef ref = HandleAccess::plugNode(plug);
  int attr = HandleAccess::plugAttribute(plug);
  Scene& scene = Scene::get();
  if (!scene.attributeInfo(ref, attr))
    return MS::kInvalidParameter;
  bool ok;
  if (ctx.isNormal()) {
    ok = scene.getNumber(ref, attr, out);
  } else {
    double ticks = ctx.getTime().as(MTime::kSeconds) * kTicksPerSecond;
    ok = scene.getNumber(ref, attr, out, &ticks);
  }
  return ok ? MS::kSuccess : MS::kInvalidParameter;
}

MStatus writeNumber(const MPlug& plug, double value) {
  NodeRef ref = HandleAccess::plugNode(plug);
  int attr = HandleAccess::plugAttribute(plug);
  return Scene::get().setNumber(ref, attr, value) ? MS::kSuccess : MS::kInvalidParameter;
}

AttrType typeOf(const MPlug& plug) {
  const minihost::AttributeInfo* info =
      Scene::get().attributeInfo(HandleAccess::plugNode(plug), HandleAccess::plugAttribute(plug));
  return info ? info->type : AttrType::kMessage;
}

template <class T>
MStatus readAs(const MPlug& plug, T& value, const MDGContext& ctx) {
  double v = 0.0;
  MStatus s = readNumber(plug, v, ctx);
  if (s)
    value = static_cast<T>(v);
  return s;
}

// The plug's value read into `v`, which keeps its starting value when the read fails. The
// context forms the host keeps for old plug-ins are its own to call.
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
template <class T>
T valueAs(const MPlug& plug, T v, MDGContext& ctx, MStatus* ReturnStatus) {
  const MStatus s = plug.getValue(v, ctx);
  if (ReturnStatus)
    *ReturnStatus = s;
  return v;
}
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace

MPlug::MPlug() = default;
MPlug::MPlug(const MPlug& other) = default;
MPlug::~MPlug() = default;
MPlug& MPlug::operator=(const MPlug& other) = default;

MObject MPlug::node(MStatus* ReturnStatus) const {
  bool alive = Scene::get().isAlive(HandleAccess::nodeRef(node_));
  report(ReturnStatus, alive ? MS::kSuccess : MS::kFailure);
  return alive ? node_ : MObject();
}

MString MPlug::name(MStatus* ReturnStatus) const {
  NodeRef ref = HandleAccess::nodeRef(node_);
  const minihost::AttributeInfo* info = Scene::get().attributeInfo(ref, attribute_);
  if (!info) {
    report(ReturnStatus, MS::kFailure);
    return MString();
  }
  report(ReturnStatus, MS::kSuccess);
  return MString((Scene::get().node(ref)->name + "." + info->longName).c_str());
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool, bool useLongNames,
                           MStatus* ReturnStatus) const {
  NodeRef ref = HandleAccess::nodeRef(node_);
  const minihost::AttributeInfo* info = Scene::get().attributeInfo(ref, attribute_);
  if (!info) {
    report(ReturnStatus, MS::kFailure);
    return MString();
  }
  report(ReturnStatus, MS::kSuccess);
  std::string text = useLongNames ? info->longName : info->shortName;
  if (includeNodeName)
    text = Scene::get().node(ref)->name + "." + text;
  return MString(text.c_str());
}

bool MPlug::isNull(MStatus* ReturnStatus) const {
  report(ReturnStatus, MS::kSuccess);
  return !Scene::get().attributeInfo(HandleAccess::nodeRef(node_), attribute_);
}

bool MPlug::isConnected(MStatus* ReturnStatus) const {
  MPlugArray plugs;
  return connectedTo(plugs, true, true, ReturnStatus);
}

bool MPlug::isCompound(MStatus* ReturnStatus) const {
  report(ReturnStatus, isNull() ? MS::kFailure : MS::kSuccess);
  return typeOf(*this) == AttrType::kCompound;
}

unsigned int MPlug::numChildren(MStatus* ReturnStatus) const {
  const minihost::AttributeInfo* info =
      Scene::get().attributeInfo(HandleAccess::nodeRef(node_), attribute_);
  report(ReturnStatus, info ? MS::kSuccess : MS::kFailure);
  return info ? static_cast<unsigned int>(info->children.size()) : 0u;
}

MPlug MPlug::child(unsigned int index, MStatus* ReturnStatus) const {
  NodeRef ref = HandleAccess::nodeRef(node_);
  const minihost::AttributeInfo* info = Scene::get().attributeInfo(ref, attribute_);
  if (!info || index >= info->children.size()) {
    report(ReturnStatus, MS::kInvalidParameter);
    return MPlug();
  }
  report(ReturnStatus, MS::kSuccess);
  return HandleAccess::plug(ref, info->children[index]);
}

MPlug MPlug::parent(MStatus* ReturnStatus) const {
  NodeRef ref = HandleAccess::nodeRef(node_);
  const minihost::AttributeInfo* info = Scene::get().attributeInfo(ref, attribute_);
  if (!info || info->parent < 0) {
    report(ReturnStatus, MS::kInvalidParameter);
    return MPlug();
  }
  report(ReturnStatus, MS::kSuccess);
  return HandleAccess::plug(ref, info->parent);
}

bool MPlug::isKeyable(MStatus* ReturnStatus) const {
  const minihost::AttributeInfo* info =
      Scene::get().attributeInfo(HandleAccess::nodeRef(node_), attribute_);
  report(ReturnStatus, info ? MS::kSuccess : MS::kFailure);
  return info && info->keyable;
}

bool MPlug::isLocked(MStatus* ReturnStatus) const {
  const NodeRef ref = HandleAccess::nodeRef(node_);
  const bool valid = Scene::get().attributeInfo(ref, attribute_) != nullptr;
  report(ReturnStatus, valid ? MS::kSuccess : MS::kFailure);
  return valid && Scene::get().isLocked(ref, attribute_);
}

MStatus MPlug::setLocked(bool locked) {
  return Scene::get().setLocked(HandleAccess::nodeRef(node_), attribute_, locked) ? MS::kSuccess
                                                                                  : MS::kFailure;
}

bool MPlug::isDynamic(MStatus* ReturnStatus) const {
  const NodeRef ref = HandleAccess::nodeRef(node_);
  report(ReturnStatus, Scene::get().attributeInfo(ref, attribute_) ? MS::kSuccess : MS::kFailure);
  return Scene::get().dynamicAttribute(ref, attribute_) != nullptr;
}

bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus) const {
  array.clear();
  NodeRef ref = HandleAccess::nodeRef(node_);
  Scene& scene = Scene::get();
  if (!scene.attributeInfo(ref, attribute_)) {
    report(ReturnStatus, MS::kInvalidParameter);
    return false;
  }
  report(ReturnStatus, MS::kSuccess);
  if (asDst) {
    NodeRef src;
    int srcAttr = -1;
    if (scene.inputOf(ref, attribute_, src, srcAttr))
      array.append(HandleAccess::plug(src, srcAttr));
  }
  if (asSrc) {
    for (const auto& out : scene.outputsOf(ref, attribute_)) {
      array.append(HandleAccess::plug(out.first, out.second));
    }
  }
  return array.length() > 0;
}

MStatus MPlug::getValue(bool& value, MDGContext& ctx) const {
  double v = 0.0;
  MStatus s = readNumber(*this, v, ctx);
  if (s)
    value = v != 0.0;
  return s;
}
MStatus MPlug::getValue(char& value, MDGContext& ctx) const {
  return readAs(*this, value, ctx);
}
MStatus MPlug::getValue(short& value, MDGContext& ctx) const {
  return readAs(*this, value, ctx);
}
MStatus MPlug::getValue(int& value, MDGContext& ctx) const {
  return readAs(*this, value, ctx);
}
MStatus MPlug::getValue(float& value, MDGContext& ctx) const {
  return readAs(*this, value, ctx);
}
MStatus MPlug::getValue(double& value, MDGContext& ctx) const {
  return readAs(*this, value, ctx);
}
MStatus MPlug::getValue(MString& value, MDGContext&) const {
  std::string text;
  if (!Scene::get().getText(HandleAccess::nodeRef(node_), attribute_, text)) {
    return MS::kInvalidParameter;
  }
  value = text.c_str();
  return MS::kSuccess;
}
MStatus MPlug::getValue(MTime& value, MDGContext& ctx) const {
  double ticks = 0.0;
  MStatus s = readNumber(*this, ticks, ctx);
  if (s)
    value =
        MTime(MTime(ticks / kTicksPerSecond, MTime::kSeconds).as(MTime::uiUnit()), MTime::uiUnit());
  return s;
}
MStatus MPlug::getValue(MDistance& value, MDGContext& ctx) const {
  double v = 0.0;
  MStatus s = readNumber(*this, v, ctx);
  if (s)
    value = MDistance(v, MDistance::kCentimeters);
  return s;
}
MStatus MPlug::getValue(MAngle& value, MDGContext& ctx) const {
  double v = 0.0;
  MStatus s = readNumber(*this, v, ctx);
  if (s)
    value = MAngle(v, MAngle::kRadians);
  return s;
}

MStatus MPlug::setValue(bool value) {
  return writeNumber(*this, value ? 1.0 : 0.0);
}
MStatus MPlug::setValue(char value) {
  return writeNumber(*this, value);
}
MStatus MPlug::setValue(short value) {
  return writeNumber(*this, value);
}
MStatus MPlug::setValue(int value) {
  return writeNumber(*this, value);
}
MStatus MPlug::setValue(float value) {
  return writeNumber(*this, value);
}
MStatus MPlug::setValue(double value) {
  return writeNumber(*this, value);
}
MStatus MPlug::setValue(const MString& value) {
  return Scene::get().setText(HandleAccess::nodeRef(node_), attribute_, value.asChar())
             ? MS::kSuccess
             : MS::kInvalidParameter;
}
MStatus MPlug::setValue(const char* value) {
  return setValue(MString(value));
}
MStatus MPlug::setValue(const MTime& value) {
  return writeNumber(*this, value.as(MTime::kSeconds) * kTicksPerSecond);
}
MStatus MPlug::setValue(const MDistance& value) {
  return writeNumber(*this, value.as(MDistance::kCentimeters));
}
MStatus MPlug::setValue(const MAngle& value) {
  return writeNumber(*this, value.asRadians());
}

bool MPlug::asBool(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<bool>(*this, false, ctx, ReturnStatus);
}
short MPlug::asShort(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<short>(*this, 0, ctx, ReturnStatus);
}
int MPlug::asInt(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<int>(*this, 0, ctx, ReturnStatus);
}
float MPlug::asFloat(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<float>(*this, 0.0f, ctx, ReturnStatus);
}
double MPlug::asDouble(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<double>(*this, 0.0, ctx, ReturnStatus);
}
MString MPlug::asString(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<MString>(*this, MString(), ctx, ReturnStatus);
}
MTime MPlug::asMTime(MDGContext& ctx, MStatus* ReturnStatus) const {
  return valueAs<MTime>(*this, MTime(), ctx, ReturnStatus);
}

// The current-context forms read through the context forms with the normal context, as the
// host's own implementation does.
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
MStatus MPlug::getValue(bool& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(char& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(short& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(int& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(float& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(double& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(MString& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(MTime& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(MDistance& value) const {
  return getValue(value, MDGContext::fsNormal);
}
MStatus MPlug::getValue(MAngle& value) const {
  return getValue(value, MDGContext::fsNormal);
}
bool MPlug::asBool(MStatus* ReturnStatus) const {
  return asBool(MDGContext::fsNormal, ReturnStatus);
}
short MPlug::asShort(MStatus* ReturnStatus) const {
  return asShort(MDGContext::fsNormal, ReturnStatus);
}
int MPlug::asInt(MStatus* ReturnStatus) const {
  return asInt(MDGContext::fsNormal, ReturnStatus);
}
float MPlug::asFloat(MStatus* ReturnStatus) const {
  return asFloat(MDGContext::fsNormal, ReturnStatus);
}
double MPlug::asDouble(MStatus* ReturnStatus) const {
  return asDouble(MDGContext::fsNormal, ReturnStatus);
}
MString MPlug::asString(MStatus* ReturnStatus) const {
  return asString(MDGContext::fsNormal, ReturnStatus);
}
MTime MPlug::asMTime(MStatus* ReturnStatus) const {
  return asMTime(MDGContext::fsNormal, ReturnStatus);
}
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif

bool MPlug::operator==(const MPlug& other) const {
  return node_ == other.node_ && attribute_ == other.attribute_;
}
bool MPlug::operator!=(const MPlug& other) const {
  return !(*this == other);
}

OPENMAYA_NAMESPACE_CLOSE
