#pragma once
// Basic types and build settings shared by every host header.

#include <cstddef>

#include <maya/MApiNamespace.h>

#define MAYA_API_VERSION 400

// Marks what a plug-in exports to the host: its entry points and MApiVersion.
#if defined(__GNUC__) || defined(__clang__)
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define PLUGIN_EXPORT
#endif

// A member the host keeps for old plug-ins; using it warns with the advice given.
#define OPENMAYA_DEPRECATED(version, message) [[deprecated(message)]]

typedef float float2[2];
typedef float float3[3];
typedef double double2[2];
typedef double double3[3];
typedef int int2[2];
typedef int int3[3];

// The stand-in host's engine builds handles through this class; nothing else can.
namespace minihost {
class HandleAccess;
}

OPENMAYA_MAJOR_NAMESPACE_OPEN

// Coordinate spaces in which geometry can be queried.
class MSpace {
 public:
  enum Space {
    kInvalid = 0,
    kTransform = 1,
    kPreTransform = 2,
    kPostTransform = 3,
    kWorld = 4,
    kLast = 5,
    kObject = kPreTransform
  };
};

OPENMAYA_NAMESPACE_CLOSE
