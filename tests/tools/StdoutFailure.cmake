# vxrinfo whose standard output cannot be written: into a full device, and closed. Each run must
# end with status 3, never 0 as if the report had been printed.
#   cmake -DVXRINFO=<tool> -DSAMPLES=<folder> -P StdoutFailure.cmake
set(runs "summary|sample.vxranim" "check|--check sample.vxranim" "json|--json sample.vxrmesh")
foreach(run IN LISTS runs)
  string(REPLACE "|" ";" parts "${run}")
  list(GET parts 0 label)
  list(GET parts 1 argText)
  separate_arguments(args UNIX_COMMAND "${argText}")

  execute_process(COMMAND ${VXRINFO} ${args} WORKING_DIRECTORY ${SAMPLES}
                  OUTPUT_FILE /dev/full RESULT_VARIABLE full ERROR_VARIABLE ignored)
  if(NOT full EQUAL 3)
    message(SEND_ERROR "${label} into /dev/full: status ${full}, expected 3")
  endif()

  execute_process(COMMAND sh -c "exec \"$0\" \"$@\" >&-" ${VXRINFO} ${args}
                  WORKING_DIRECTORY ${SAMPLES} RESULT_VARIABLE closed ERROR_VARIABLE ignored)
  if(NOT closed EQUAL 3)
    message(SEND_ERROR "${label} with standard output closed: status ${closed}, expected 3")
  endif()

  execute_process(COMMAND ${VXRINFO} ${args} WORKING_DIRECTORY ${SAMPLES}
                  OUTPUT_VARIABLE printed RESULT_VARIABLE normal)
  if(NOT normal EQUAL 0 OR printed STREQUAL "")
    message(SEND_ERROR "${label} into a pipe: status ${normal}, expected 0 and a report")
  endif()
endforeach()
