#pragma once
// Function set for any dependency node: name, type and plugs by attribute name.

#include <maya/MFnBase.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnDependencyNode : public MFnBase {
 public:
  MFnDependencyNode();
  MFnDependencyNode(const MObject& object, MStatus* ReturnStatus = NULL);
  ~MFnDependencyNode() override;
  MFn::Type type() const override;

  MObject create(const MString& type, MStatus* ReturnStatus = NULL);
  MObject create(const MString& type, const MString& name, MStatus* ReturnStatus = NULL);

  MString name(MStatus* ReturnStatus = NULL) const;
  MString absoluteName(MStatus* ReturnStatus = NULL) const;
  MString setName(const MString& name, bool createNamespace = false, MStatus* ReturnStatus = NULL);
  MString typeName(MStatus* ReturnStatus = NULL) const;

  // Plug of the attribute with this long or short name; a null plug when there is none.
  MPlug findPlug(const MString& attrName, bool wantNetworkedPlug,
                 MStatus* ReturnStatus = NULL) const;
  OPENMAYA_DEPRECATED(2019, "Use findPlug(const MString&, bool wantNetworkedPlug, MStatus*).")
  MPlug findPlug(const MString& attrName, MStatus* ReturnStatus = NULL) const;
  bool hasAttribute(const MString& name, MStatus* ReturnStatus = NULL) const;
  unsigned int attributeCount(MStatus* ReturnStatus = NULL) const;
  MStatus getConnections(MPlugArray& array) const;
  bool isFromReferencedFile(MStatus* ReturnStatus = NULL) const;
  bool isLocked(MStatus* ReturnStatus = NULL) const;
};

OPENMAYA_NAMESPACE_CLOSE
