# The test workflow runs the suite twice: in this build, and in a second build tree with
# AddressSanitizer and UndefinedBehaviorSanitizer (leak checking on). A workflow preset has a
# single configure step, so the second tree is configured and built here as part of `all`,
# and its whole suite runs as one test of this tree.
if(NOT VXR_WITH_SANITIZED_SUITE)
  return()
endif()

set(VXR_SANITIZED_DIR ${CMAKE_SOURCE_DIR}/build/test-asan)
add_custom_target(sanitized-suite-build ALL
  COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${VXR_SANITIZED_DIR}
          -G ${CMAKE_GENERATOR}
          -DCMAKE_BUILD_TYPE=Debug
          -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
          -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
          -DVXR_SANITIZE=ON -DVXR_WERROR=${VXR_WERROR}
          -DVXR_BUILD_BENCHMARKS=OFF -DVXR_WITH_SANITIZED_SUITE=OFF
  COMMAND ${CMAKE_COMMAND} --build ${VXR_SANITIZED_DIR}
  COMMENT "Building the sanitized suite in ${VXR_SANITIZED_DIR}"
  USES_TERMINAL
  VERBATIM)

add_test(NAME sanitized_suite
  COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${VXR_SANITIZED_DIR} --output-on-failure
          -j 2 --no-tests=error)
set_tests_properties(sanitized_suite PROPERTIES TIMEOUT 3000 RUN_SERIAL TRUE)
