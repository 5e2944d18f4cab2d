# Which host SDK the plug-in module is built against.
#
# One target name, host::sdk, stands for the host SDK everywhere:
# - by default it is the stand-in host (defined in minihost/CMakeLists.txt: its public headers
#   in minihost/include and its shared library);
# - with -DVXR_HOST_SDK=<devkit folder> (or the MAYA_LOCATION environment variable, as the usual
#   FindMaya modules read it) it is the real SDK: <folder>/include and the libraries OpenMaya,
#   OpenMayaAnim and Foundation from <folder>/lib, with the definitions the host expects on
#   Linux. Then only the module and the libraries it links are built: the stand-in, the tools,
#   the tests, the benchmarks, the fuzz targets and the examples need the stand-in host and are
#   skipped.
#
# Sets VXR_USE_HOST_SDK (ON when building against the real SDK).

set(VXR_HOST_SDK "$ENV{MAYA_LOCATION}"
    CACHE PATH "Host developer kit folder (holds include/maya and lib); empty: use the stand-in host")

if(VXR_HOST_SDK STREQUAL "")
  set(VXR_USE_HOST_SDK OFF)
  return()
endif()
set(VXR_USE_HOST_SDK ON)

get_filename_component(vxr_sdk_root "${VXR_HOST_SDK}" ABSOLUTE)
if(NOT EXISTS "${vxr_sdk_root}/include/maya/MFnPlugin.h")
  message(FATAL_ERROR
    "VXR_HOST_SDK=${VXR_HOST_SDK} is not a host developer kit: "
    "${vxr_sdk_root}/include/maya/MFnPlugin.h does not exist. "
    "Pass the folder that holds include/maya and lib, or clear VXR_HOST_SDK (and MAYA_LOCATION) "
    "to build against the stand-in host.")
endif()

# Library paths found for another kit are stale once the folder changes.
if(NOT "${vxr_sdk_root}" STREQUAL "${VXR_HOST_SDK_RESOLVED}")
  foreach(lib OpenMaya OpenMayaAnim Foundation)
    unset(VXR_HOST_LIB_${lib} CACHE)
  endforeach()
endif()
set(VXR_HOST_SDK_RESOLVED "${vxr_sdk_root}" CACHE INTERNAL "The kit the host libraries were found in")

set(vxr_sdk_libs)
foreach(lib OpenMaya OpenMayaAnim Foundation)
  find_library(VXR_HOST_LIB_${lib} NAMES ${lib}
    PATHS "${vxr_sdk_root}/lib"
    NO_DEFAULT_PATH)
  if(NOT VXR_HOST_LIB_${lib})
    message(FATAL_ERROR "The host library ${lib} was not found in ${vxr_sdk_root}/lib")
  endif()
  list(APPEND vxr_sdk_libs "${VXR_HOST_LIB_${lib}}")
endforeach()

add_library(host_sdk INTERFACE)
target_include_directories(host_sdk SYSTEM INTERFACE "${vxr_sdk_root}/include")
target_compile_definitions(host_sdk INTERFACE LINUX _BOOL REQUIRE_IOSTREAM)
target_link_libraries(host_sdk INTERFACE ${vxr_sdk_libs})
add_library(host::sdk ALIAS host_sdk)

# Nothing but the module can be built without the stand-in host.
set(VXR_BUILD_TESTS OFF)
set(VXR_BUILD_BENCHMARKS OFF)
set(VXR_FUZZ OFF)
set(VXR_WITH_SANITIZED_SUITE OFF)

message(STATUS "Building the plug-in module against the host SDK in ${vxr_sdk_root}; "
               "the stand-in host, tools, tests and examples are not built")
