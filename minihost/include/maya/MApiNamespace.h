#pragma once
// The versioned namespace of the host API. Every SDK class is declared inside it and brought
// into the global namespace by the using-declarations at the end: plug-in code names the
// classes plainly, while their linkage names (and so the names of a plug-in's entry points,
// which take an MObject) carry the API version. A source that needs only a class's name
// includes this header; a bare `class MString;` at global scope would name another class.
//
// Every SDK header includes this one (through MTypes.h), declares its classes between
// OPENMAYA_MAJOR_NAMESPACE_OPEN and OPENMAYA_NAMESPACE_CLOSE, and has them listed below.

#if defined(__GNUC__) || defined(__clang__)
#define OPENMAYA_EXPORT __attribute__((visibility("default")))
#else
#define OPENMAYA_EXPORT
#endif

#define AUTODESK_NAMESPACE Autodesk
#define MAYA_NAMESPACE Maya
#define OPENMAYA_NAMESPACE_OPEN(API_VERSION) \
  namespace AUTODESK_NAMESPACE {             \
  namespace MAYA_NAMESPACE {                 \
  namespace API_VERSION {
#define OPENMAYA_NAMESPACE_CLOSE \
  }                              \
  }                              \
  }
#define OPENMAYA_NAMESPACE_SCHEMA(API_VERSION) AUTODESK_NAMESPACE::MAYA_NAMESPACE::API_VERSION

// The namespace of this API version (400).
#define OPENMAYA_MAJOR_NAMESPACE OpenMaya400
#define OPENMAYA_MAJOR_NAMESPACE_OPEN OPENMAYA_NAMESPACE_OPEN(OPENMAYA_MAJOR_NAMESPACE)
#define OPENMAYA_MAJOR_NAMESPACE_SCHEMA OPENMAYA_NAMESPACE_SCHEMA(OPENMAYA_MAJOR_NAMESPACE)

OPENMAYA_MAJOR_NAMESPACE_OPEN
class MAngle;
class MAnimControl;
class MArgList;
class MColor;
class MComputation;
class MDagPath;
class MDagPathArray;
class MDGContext;
class MDistance;
class MDoubleArray;
class MEulerRotation;
class MFileObject;
class MFloatArray;
class MFloatMatrix;
class MFloatPoint;
class MFloatPointArray;
class MFloatVector;
class MFloatVectorArray;
class MFn;
class MFnAmbientLight;
class MFnBase;
class MFnCamera;
class MFnDagNode;
class MFnDependencyNode;
class MFnDirectionalLight;
class MFnLight;
class MFnMesh;
class MFnNonAmbientLight;
class MFnNonExtendedLight;
class MFnPlugin;
class MFnPointLight;
class MFnSpotLight;
class MFnTransform;
class MGlobal;
class MIntArray;
class MItDag;
class MItMeshPolygon;
class MItSelectionList;
class MMatrix;
class MObject;
class MPlug;
class MPlugArray;
class MPoint;
class MPointArray;
class MPxCommand;
class MPxFileTranslator;
class MSelectionList;
class MSpace;
class MStatus;
class MString;
class MStringArray;
class MSyntax;
class MTime;
class MTransformationMatrix;
class MVector;
class MVectorArray;
OPENMAYA_NAMESPACE_CLOSE

using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MAngle;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MAnimControl;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MArgList;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MColor;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MComputation;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MDagPath;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MDagPathArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MDGContext;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MDistance;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MDoubleArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MEulerRotation;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFileObject;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatMatrix;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatPoint;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatPointArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatVector;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFloatVectorArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFn;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnAmbientLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnBase;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnCamera;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnDagNode;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnDependencyNode;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnDirectionalLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnMesh;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnNonAmbientLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnNonExtendedLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnPlugin;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnPointLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnSpotLight;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MFnTransform;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MGlobal;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MIntArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MItDag;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MItMeshPolygon;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MItSelectionList;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MMatrix;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MObject;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPlug;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPlugArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPoint;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPointArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPxCommand;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MPxFileTranslator;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MSelectionList;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MSpace;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MStatus;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MString;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MStringArray;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MSyntax;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MTime;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MTransformationMatrix;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MVector;
using OPENMAYA_MAJOR_NAMESPACE_SCHEMA::MVectorArray;
