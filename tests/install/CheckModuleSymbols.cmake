# Checks what a built module exports, as the host sees it: exactly the datum MApiVersion and the
# functions initializePlugin(MObject) and uninitializePlugin(MObject) with C++ linkage (the host
# finds them by those names, with the API namespace of MObject in them), and MApiVersion holding
# the API version of the SDK the module was built against.
#
# The API namespace and version are read from the kit's headers, as the compiler saw them:
# MAYA_API_VERSION from MTypes.h, the namespace from MApiNamespace.h (kits before the versioned
# namespace have none, and their MObject is a global class).
#
#   cmake -DMODULE=<module.so> -DSDK_INCLUDE=<kit>/include -P CheckModuleSymbols.cmake
foreach(var MODULE SDK_INCLUDE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckModuleSymbols.cmake needs -D${var}=...")
  endif()
endforeach()

# The value of the first definition of a macro in a header that gives it one.
function(macro_value header name out)
  file(STRINGS ${header} lines REGEX "^[ \t]*#[ \t]*define[ \t]+${name}[ \t]+[A-Za-z0-9_]+")
  set(value "")
  if(lines)
    list(GET lines 0 line)
    string(REGEX REPLACE "^[ \t]*#[ \t]*define[ \t]+${name}[ \t]+([A-Za-z0-9_]+).*" "\\1"
           value "${line}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

macro_value(${SDK_INCLUDE}/maya/MTypes.h MAYA_API_VERSION API_VERSION)
if(API_VERSION STREQUAL "")
  message(FATAL_ERROR "${SDK_INCLUDE}/maya/MTypes.h defines no MAYA_API_VERSION")
endif()
set(object "MObject")
if(EXISTS ${SDK_INCLUDE}/maya/MApiNamespace.h)
  set(parts "")
  foreach(macro AUTODESK_NAMESPACE MAYA_NAMESPACE OPENMAYA_MAJOR_NAMESPACE)
    macro_value(${SDK_INCLUDE}/maya/MApiNamespace.h ${macro} part)
    if(part STREQUAL "")
      message(FATAL_ERROR "${SDK_INCLUDE}/maya/MApiNamespace.h defines no ${macro}")
    endif()
    list(APPEND parts ${part})
  endforeach()
  list(JOIN parts "::" api_namespace)
  set(object "${api_namespace}::MObject")
endif()

execute_process(COMMAND nm -D --defined-only -C ${MODULE}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm could not read ${MODULE}")
endif()
string(REGEX REPLACE "(^|\n)[0-9a-f]+ [A-Za-z] " "\\1" names "${symbols}")
string(STRIP "${names}" names)
string(REPLACE "\n" ";" names "${names}")
list(SORT names)
set(expected "MApiVersion;initializePlugin(${object});uninitializePlugin(${object})")
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "the module does not export exactly its entry points:\n"
                      "  exported: ${names}\n  expected: ${expected}")
endif()

# The datum's bytes, found by its address and size.
execute_process(COMMAND nm -D --defined-only -S ${MODULE} OUTPUT_VARIABLE sized)
if(NOT sized MATCHES "([0-9a-f]+) ([0-9a-f]+) [A-Za-z] MApiVersion\n")
  message(FATAL_ERROR "MApiVersion has no size: ${sized}")
endif()
math(EXPR start "0x${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR stop "0x${CMAKE_MATCH_1} + 0x${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
execute_process(COMMAND objdump -s --start-address=${start} --stop-address=${stop} ${MODULE}
  OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${MODULE}")
endif()
string(REGEX MATCHALL "\n [0-9a-f]+ [0-9a-f ]+  " rows "${dump}")
set(hex "")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\n [0-9a-f]+ " "" row "${row}")
  string(REPLACE " " "" row "${row}")
  string(APPEND hex "${row}")
endforeach()
set(text "")
set(terminated FALSE)
string(LENGTH "${hex}" hex_length)
set(at 0)
while(at LESS hex_length)
  string(SUBSTRING "${hex}" ${at} 2 byte)
  math(EXPR code "0x${byte}")
  if(code EQUAL 0)
    set(terminated TRUE)
    break()
  endif()
  string(ASCII ${code} char)
  string(APPEND text "${char}")
  math(EXPR at "${at} + 2")
endwhile()
if(NOT terminated OR NOT text STREQUAL API_VERSION)
  message(FATAL_ERROR "MApiVersion is \"${text}\" (terminated: ${terminated}), "
                      "not the SDK's API version \"${API_VERSION}\"")
endif()
message(STATUS "the module exports ${names}; MApiVersion is \"${text}\"")
