#pragma once
// Basic types and build settings shared by every host header.

#include <cstddef>

#define MAYA_API_VERSION 400

#if defined(__GNUC__) || defined(__clang__)
#define OPENMAYA_EXPORT __attribute__((visibility("default")))
#else
#define OPENMAYA_EXPORT
#endif

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
