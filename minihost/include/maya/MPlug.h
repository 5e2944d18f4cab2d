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

  // Plugs connected to this one: as destination, the source feeding it; as source,
  // the destinations it feeds. Returns whether any connection was found.
  bool connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus = NULL) const;

  MStatus getValue(bool& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(char& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(short& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(int& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(float& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(double& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(MString& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(MTime& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(MDistance& value, MDGContext& ctx = MDGContext::fsNormal) const;
  MStatus getValue(MAngle& value, MDGContext& ctx = MDGContext::fsNormal) const;

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

  bool asBool(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  short asShort(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  int asInt(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  float asFloat(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  double asDouble(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  MString asString(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
  MTime asMTime(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;

  bool operator==(const MPlug& other) const;
  bool operator!=(const MPlug& other) const;

 private:
  friend class minihost::HandleAccess;
  MObject node_;
  int attribute_ = -1;
};

OPENMAYA_NAMESPACE_CLOSE
