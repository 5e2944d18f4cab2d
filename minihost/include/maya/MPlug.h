#pragma once
// A plug: one attribute of one node. Values are in the host's internal units
// (centimetres, radians); times are MTime values.

#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MPlug {
 public:
  MPlug();
  MPlug(const MPlug& other);
  ~MPlug();
  MPlug& operator=(const MPlug& other);

  MObject node(MStatus* ReturnStatus = NULL) const;
  MString name(MStatus* ReturnStatus = NULL) const;
  MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                      bool includeInstancedIndices = false, bool useAlias = false,
                      bool useFullAttributePath = false, bool useLongNames = false,
                      MStatus* ReturnStatus = NULL) const;
  bool isNull(MStatus* ReturnStatus = NULL) const;
  bool isConnected(MStatus* ReturnStatus = NULL) const;
  bool isCompound(MStatus* ReturnStatus = NULL) const;
  unsigned int numChildren(MStatus* ReturnStatus = NULL) const;
  MPlug child(unsigned int index, MStatus* ReturnStatus = NULL) const;
  MPlug parent(MStatus* ReturnStatus = NULL) const;
  bool isKeyable(MStatus* ReturnStatus = NULL) const;
  // A locked plug refuses new values and connections; its incoming connection still drives it.
  bool isLocked(MStatus* ReturnStatus = NULL) const;
  MStatus setLocked(bool locked);
  // True for an attribute added to the node (addAttr), not one of its type's.
  bool isDynamic(MStatus* ReturnStatus = NULL) const;

  // Plugs connected to this one: as destination, the source feeding it; as source,
  // the destinations it feeds. Returns whether any connection was found.
  bool connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus = NULL) const;

  // Values in the current evaluation context.
  MStatus getValue(bool& value) const;
  MStatus getValue(char& value) const;
  MStatus getValue(short& value) const;
  MStatus getValue(int& value) const;
  MStatus getValue(float& value) const;
  MStatus getValue(double& value) const;
  MStatus getValue(MString& value) const;
  MStatus getValue(MTime& value) const;
  MStatus getValue(MDistance& value) const;
  MStatus getValue(MAngle& value) const;

  // Values in another context: kept for old plug-ins.
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(bool&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(bool& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(char&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(char& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(short&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(short& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(int&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(int& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(float&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(float& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(double&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(double& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(MString&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(MString& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(MTime&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(MTime& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(MDistance&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(MDistance& value, MDGContext& ctx) const;
  OPENMAYA_DEPRECATED(2018,
                      "Read the value in the current evaluation context with getValue(MAngle&); "
                      "switch the context with MDGContextGuard where needed.")
  MStatus getValue(MAngle& value, MDGContext& ctx) const;

  MStatus setValue(bool value);
  MStatus setValue(char value);
  MStatus setValue(short value);
  MStatus setValue(int value);
  MStatus setValue(float value);
  MStatus setValue(double value);
  MStatus setValue(const MString& value);
  MStatus setValue(const char* value);
  MStatus setValue(const MTime& value);
  MStatus setValue(const MDistance& value);
  MStatus setValue(const MAngle& value);

  bool asBool(MStatus* ReturnStatus = NULL) const;
  short asShort(MStatus* ReturnStatus = NULL) const;
  int asInt(MStatus* ReturnStatus = NULL) const;
  float asFloat(MStatus* ReturnStatus = NULL) const;
  double asDouble(MStatus* ReturnStatus = NULL) const;
  MString asString(MStatus* ReturnStatus = NULL) const;
  MTime asMTime(MStatus* ReturnStatus = NULL) const;

  OPENMAYA_DEPRECATED(2018,
                      "Use asBool(MStatus*) for the current evaluation context; switch the context "
                      "with MDGContextGuard where needed.")
  bool asBool(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asShort(MStatus*) for the current evaluation context; switch the "
                      "context with MDGContextGuard where needed.")
  short asShort(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asInt(MStatus*) for the current evaluation context; switch the context "
                      "with MDGContextGuard where needed.")
  int asInt(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asFloat(MStatus*) for the current evaluation context; switch the "
                      "context with MDGContextGuard where needed.")
  float asFloat(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asDouble(MStatus*) for the current evaluation context; switch the "
                      "context with MDGContextGuard where needed.")
  double asDouble(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asString(MStatus*) for the current evaluation context; switch the "
                      "context with MDGContextGuard where needed.")
  MString asString(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2018,
                      "Use asMTime(MStatus*) for the current evaluation context; switch the "
                      "context with MDGContextGuard where needed.")
  MTime asMTime(MDGContext& ctx, MStatus* ReturnStatus = NULL) const;

  bool operator==(const MPlug& other) const;
  bool operator!=(const MPlug& other) const;

 private:
  friend class minihost::HandleAccess;
  MObject node_;
  int attribute_ = -1;
};

OPENMAYA_NAMESPACE_CLOSE
