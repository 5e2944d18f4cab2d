# Runs one MEL test through the batch host with the plug-in loaded, then checks its output.
#
#   cmake -DMINIHOST=... -DPLUGIN=... -DVXRINFO=... -DASSERT_DIR=... -DSCRIPT=test.mel
#         -DWORK=dir [-DINTERACTIVE=ON] -P RunMel.cmake
#
# With INTERACTIVE the host runs an interactive session (idle script jobs run once the script
# has finished) and calls the script's procedure afterIdle after that.
# The script runs in an empty folder WORK and sources "assert.mel" from ASSERT_DIR. The test
# passes when the host exits 0 (a failed check in the script raises an error, which makes the
# host exit non-zero) and, when the script has "// inspect: <file>" lines, vxrinfo summarises
# every file they name (relative to WORK) and exits 0, and, when it has "// expect: <regular
# expression>" lines (the convention of every script test), each matches the combined output of
# the host and vxrinfo, in order (a CMake regular expression, in which "." also matches a line
# break, so ".*" can run past the line it is meant for).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(test_dir ${SCRIPT} DIRECTORY)
set(session "")
set(after "")
if(INTERACTIVE)
  set(session --interactive)
  set(after -c afterIdle)
endif()
execute_process(
  COMMAND ${MINIHOST} ${session} -s ${test_dir} -s ${ASSERT_DIR} -p ${PLUGIN} ${SCRIPT} ${after}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out
  RESULT_VARIABLE rc
  TIMEOUT 600)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "minihost exited with ${rc}")
endif()

file(STRINGS ${SCRIPT} written REGEX "^// inspect: ")
list(TRANSFORM written REPLACE "^// inspect: " "")
if(written)
  execute_process(
    COMMAND ${VXRINFO} ${written}
    WORKING_DIRECTORY ${WORK}
    OUTPUT_VARIABLE info
    ERROR_VARIABLE info
    RESULT_VARIABLE rc)
  message("${info}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "vxrinfo exited with ${rc}")
  endif()
  string(APPEND out "${info}")
endif()

file(STRINGS ${SCRIPT} expectations REGEX "^// expect: ")
list(TRANSFORM expectations REPLACE "^// expect: " "")
if(expectations)
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
