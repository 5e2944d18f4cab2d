# Installs the module into a fresh prefix and runs the batch host on the installed module only:
# the plug-in is found by name through the module file on MAYA_MODULE_PATH, the export writes
# an animation file, and the import hands it to the installed import script.
#
#   cmake -DBUILD_DIR=... -DMINIHOST=... -DWORK=dir -P InstallAndRun.cmake
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
set(run ${WORK}/run)
file(MAKE_DIRECTORY ${run})

function(fail what)
  message(FATAL_ERROR "${what}")
endfunction()

# The default install: every component the project installs.
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
  fail("cmake --install failed with ${rc}")
endif()

set(root ${prefix}/vxrImpEx40)
foreach(f plug-ins/vxrImpEx40.so scripts/VXRAnimImport.mel examples/demo.mel
          examples/export_mesh_sequence.mel)
  if(NOT EXISTS ${root}/${f})
    fail("not installed: ${root}/${f}")
  endif()
endforeach()

# Only the module lands in the prefix: no test binaries, tools or stand-in host.
file(GLOB top RELATIVE ${prefix} ${prefix}/*)
list(SORT top)
if(NOT top STREQUAL "vxrImpEx40;vxrImpEx40.mod")
  fail("the prefix holds more than the module: ${top}")
endif()
file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
foreach(f IN LISTS installed)
  if(NOT f MATCHES "^(plug-ins/vxrImpEx40\\.so|scripts/VXRAnimImport\\.mel|examples/[^/]+\\.mel)$")
    fail("unexpected installed file: ${f}")
  endif()
endforeach()

file(STRINGS ${prefix}/vxrImpEx40.mod mod_lines)
get_filename_component(abs_root ${root} ABSOLUTE)
set(expected "+ vxrImpEx40 1.5 ${abs_root};MAYA_PLUG_IN_PATH+:=plug-ins;MAYA_SCRIPT_PATH+:=scripts")
if(NOT mod_lines STREQUAL expected)
  fail("vxrImpEx40.mod reads\n${mod_lines}\nexpected\n${expected}")
endif()

# Runs MEL text in the batch host with nothing but the installed module to find.
function(run_host text result_var output_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=MAYA_PLUG_IN_PATH --unset=MAYA_SCRIPT_PATH
            ${ARGN} ${MINIHOST} -c "${text}"
    WORKING_DIRECTORY ${run}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out
    TIMEOUT 300)
  message("${out}")
  set(${result_var} ${rc} PARENT_SCOPE)
  set(${output_var} "${out}" PARENT_SCOPE)
endfunction()

# Without the module path the plug-in is not found: the runs below find it through the module.
run_host("loadPlugin vxrImpEx40;" rc out)
if(rc EQUAL 0)
  fail("the plug-in was found without MAYA_MODULE_PATH")
endif()

set(anim ${run}/x.vxranim)
run_host("loadPlugin vxrImpEx40; camera; file -force -exportAll -type \"VXR Animation\" \"${anim}\";"
  rc out MAYA_MODULE_PATH=${prefix})
if(NOT rc EQUAL 0)
  fail("the export from the installed module failed with ${rc}")
endif()
if(NOT EXISTS ${anim})
  fail("the export wrote no file")
endif()
file(READ ${anim} magic LIMIT 4 HEX)
if(NOT magic STREQUAL "5658616e")
  fail("the exported file does not begin with \"VXan\" (hex ${magic})")
endif()

# The import script only runs from the module's scripts folder; it names the new camera after
# the exported track. The host is idle between top-level statements, so the script has run by
# the time of the check.
run_host("loadPlugin vxrImpEx40; file -import \"${anim}\"; if (!`objExists camera1`) error \"the import made no camera\";"
  rc out MAYA_MODULE_PATH=${prefix})
if(NOT rc EQUAL 0)
  fail("the import through the installed module failed with ${rc}")
endif()
