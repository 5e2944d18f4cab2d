# Builds the project against a fake host developer kit and checks the wiring of the switch:
# only the module (and the libraries it links) is built, with the host's definitions, against
# the kit's headers and libraries, exporting only the three entry points. The kit is the
# stand-in's public headers (with another API version), the stand-in library as OpenMaya (so
# that every host symbol resolves) and empty OpenMayaAnim and Foundation libraries.
#
#   cmake -DSOURCE_DIR=... -DWORK=dir -DCXX=... -DCC=... -DMINIHOST_LIB=... -DGENERATOR=...
#         -P HostSdkSwitch.cmake
file(REMOVE_RECURSE ${WORK})
set(kit ${WORK}/devkit)
file(MAKE_DIRECTORY ${kit}/lib)
file(COPY ${SOURCE_DIR}/minihost/include/maya DESTINATION ${kit}/include)
# Another API version than the stand-in's own, with the same namespace so that the stand-in
# library still resolves every host symbol.
file(READ ${kit}/include/maya/MTypes.h types)
string(REPLACE "#define MAYA_API_VERSION 400" "#define MAYA_API_VERSION 401" types "${types}")
if(NOT types MATCHES "#define MAYA_API_VERSION 401\n")
  message(FATAL_ERROR "the copied kit's MTypes.h has no MAYA_API_VERSION 400 to change")
endif()
file(WRITE ${kit}/include/maya/MTypes.h "${types}")
file(COPY_FILE ${MINIHOST_LIB} ${kit}/lib/libOpenMaya.so)
file(WRITE ${WORK}/empty.cpp "")
foreach(lib OpenMayaAnim Foundation)
  execute_process(COMMAND ${CXX} -shared -fPIC -o ${kit}/lib/lib${lib}.so ${WORK}/empty.cpp
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not build the stub library ${lib}")
  endif()
endforeach()

function(configure build)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=MAYA_LOCATION ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(configure_rc ${rc} PARENT_SCOPE)
  set(configure_out "${out}" PARENT_SCOPE)
endfunction()
set(common -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=${CXX}
    -DCMAKE_C_COMPILER=${CC})

# A folder that is no kit is refused with a clear message.
configure(${WORK}/wrong ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK}/wrong ${common}
          -DVXR_HOST_SDK=${WORK}/no-such-kit)
if(configure_rc EQUAL 0 OR NOT configure_out MATCHES "is not a host developer kit")
  message(FATAL_ERROR "a missing kit was not refused:\n${configure_out}")
endif()

# MAYA_LOCATION names the kit when the option is not given.
configure(${WORK}/from-env MAYA_LOCATION=${kit} ${CMAKE_COMMAND} -S ${SOURCE_DIR}
          -B ${WORK}/from-env ${common})
if(NOT configure_rc EQUAL 0 OR NOT configure_out MATCHES "against the host SDK in ${kit}")
  message(FATAL_ERROR "MAYA_LOCATION was not used:\n${configure_out}")
endif()

set(build ${WORK}/build)
configure(${build} ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} ${common}
          -DVXR_HOST_SDK=${kit})
message("${configure_out}")
if(NOT configure_rc EQUAL 0)
  message(FATAL_ERROR "configuring against the kit failed")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} --target help
  OUTPUT_VARIABLE targets)
foreach(absent minihost minihost_cli minihost_mel vxrinfo vxr_stream_demo install_tests)
  if(targets MATCHES "(^|\n)${absent}:")
    message(FATAL_ERROR "the target ${absent} exists in a build against the real SDK")
  endif()
endforeach()
if(EXISTS ${build}/CTestTestfile.cmake)
  message(FATAL_ERROR "tests are configured in a build against the real SDK")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} -j2 RESULT_VARIABLE rc
  OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the module did not build against the kit:\n${out}")
endif()
if(NOT EXISTS ${build}/plug-ins/vxrImpEx40.so)
  message(FATAL_ERROR "no plug-ins/vxrImpEx40.so")
endif()
if(EXISTS ${build}/bin)
  file(GLOB executables ${build}/bin/*)
  if(executables)
    message(FATAL_ERROR "executables were built: ${executables}")
  endif()
endif()

# The host's definitions and the kit's headers reach every module source.
file(READ ${build}/compile_commands.json commands)
string(REGEX MATCHALL "\"command\": \"[^\"]*PluginEntry\\.cpp[^\"]*\"" entry "${commands}")
foreach(flag -DLINUX -D_BOOL -DREQUIRE_IOSTREAM "${kit}/include" -fPIC -fvisibility=hidden)
  string(FIND "${entry}" "${flag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the module source is compiled without ${flag}: ${entry}")
  endif()
endforeach()
# A user's kit may warn where ours does not: its build does not stop on a warning.
string(FIND "${entry}" "-Werror" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "a build against a kit treats warnings as errors: ${entry}")
endif()
string(FIND "${entry}" "${SOURCE_DIR}/minihost/include" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the module sees the stand-in's headers: ${entry}")
endif()

# It links the kit's three libraries (the empty stubs are dropped again by an as-needed link,
# so the link line is checked) and leaves only the three entry points visible.
file(STRINGS ${build}/build.ninja link_lines REGEX "LINK_LIBRARIES = .*OpenMaya")
foreach(lib OpenMaya OpenMayaAnim Foundation)
  if(NOT link_lines MATCHES "(${kit}/lib/lib${lib}\\.so|-l${lib})( |$)")
    message(FATAL_ERROR "the module does not link ${lib}: ${link_lines}")
  endif()
endforeach()
# Exactly the three entry points by the names the host looks up, and MApiVersion saying the
# kit's API version (which the copied kit changed, so a version written into the module's own
# sources would show).
set(MODULE ${build}/plug-ins/vxrImpEx40.so)
set(SDK_INCLUDE ${kit}/include)
include(${CMAKE_CURRENT_LIST_DIR}/CheckModuleSymbols.cmake)
