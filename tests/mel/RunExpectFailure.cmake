# Runs a script that must fail: the batch host has to exit non-zero and print the error
# named on the script's first line ("// expect: <regular expression>").
file(STRINGS ${SCRIPT} first LIMIT_COUNT 1)
string(REGEX REPLACE "^// expect: " "" expected "${first}")
execute_process(COMMAND ${HOST} -s ${SCRIPT_DIR} ${SCRIPT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "expected a failure, but the script succeeded\n${out}${err}")
endif()
if(NOT err MATCHES "${expected}")
  message(FATAL_ERROR "expected an error matching\n  ${expected}\nbut stderr was\n${err}")
endif()
