# Runs a script that must fail: the batch host has to exit non-zero and print the error
# named on the script's first line ("// expect: <regular expression>").
# A second line "// options: <host options>" passes options to the host.
file(STRINGS ${SCRIPT} head LIMIT_COUNT 2)
list(GET head 0 first)
string(REGEX REPLACE "^// expect: " "" expected "${first}")
set(options "")
list(LENGTH head lines)
if(lines GREATER 1)
  list(GET head 1 second)
  if(second MATCHES "^// options: ")
    string(REGEX REPLACE "^// options: " "" options "${second}")
    separate_arguments(options)
  endif()
endif()
execute_process(COMMAND ${HOST} ${options} -s ${SCRIPT_DIR} ${SCRIPT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "expected a failure, but the script succeeded\n${out}${err}")
endif()
if(NOT err MATCHES "${expected}")
  message(FATAL_ERROR "expected an error matching\n  ${expected}\nbut stderr was\n${err}")
endif()
