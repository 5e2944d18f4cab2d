# Runs one MEL test through the batch host with the plug-in loaded, then checks its output.
#
#   cmake -DMINIHOST=... -DPLUGIN=... -DSCRIPT=test.mel -DWORK=dir -P RunMel.cmake
#
# The test passes when the host exits 0 (a failed check in the script raises an error, which
# makes the host exit non-zero) and, when a file test.expect sits beside the script, every
# non-empty line of it (a regular expression) matches the combined output, in order.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(test_dir ${SCRIPT} DIRECTORY)
execute_process(
  COMMAND ${MINIHOST} -s ${test_dir} -p ${PLUGIN} ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out
  RESULT_VARIABLE rc
  TIMEOUT 600)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "minihost exited with ${rc}")
endif()

string(REGEX REPLACE "\\.mel$" ".expect" expect_file ${SCRIPT})
if(EXISTS ${expect_file})
  file(STRINGS ${expect_file} expectations)
  set(rest "${out}")
  foreach(pattern IN LISTS expectations)
    if(pattern STREQUAL "")
      continue()
    endif()
    string(REGEX MATCH "${pattern}" found "${rest}")
    if(found STREQUAL "")
      message(FATAL_ERROR "expected output not found (in order): ${pattern}")
    endif()
    string(FIND "${rest}" "${found}" at)
    string(LENGTH "${found}" length)
    math(EXPR after "${at} + ${length}")
    string(SUBSTRING "${rest}" ${after} -1 rest)
  endforeach()
endif()
