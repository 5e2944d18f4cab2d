# Checks that the module's sources include nothing but the public host headers (<maya/...>),
# the project's own layers the module may use, and the C++ standard library, so that the same
# sources build against the real SDK. The stand-in's internals (engine/, mel/, cli/) are
# reachable from the project root, so the compile check alone cannot see such an include.
#
#   cmake -DSOURCE_DIR=<project root> [-DFOLDERS=a;b] -P CheckModuleIncludes.cmake
if(NOT DEFINED FOLDERS)
  set(FOLDERS shell anim_export anim_import mesh_export)
endif()
set(allowed_quoted "^(boundary|anim_model|shell|anim_export|anim_import|mesh_export)/[A-Za-z0-9_./]+$")
set(allowed_host "^maya/[A-Za-z0-9_]+\\.h$")
set(allowed_std "^[a-z_]+$")

set(problems "")
set(checked 0)
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.hpp
       ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.cc ${SOURCE_DIR}/${folder}/*.inl)
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    foreach(line IN LISTS lines)
      set(ok FALSE)
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
        set(header "${CMAKE_MATCH_1}")
        if(header MATCHES "${allowed_quoted}" AND NOT header MATCHES "\\.\\.")
          set(ok TRUE)
        endif()
      elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
        set(header "${CMAKE_MATCH_1}")
        if(header MATCHES "${allowed_host}" OR header MATCHES "${allowed_std}")
          set(ok TRUE)
        endif()
      endif()
      if(NOT ok)
        string(STRIP "${line}" line)
        string(APPEND problems "  ${name}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no module sources found under ${SOURCE_DIR} (${FOLDERS})")
endif()
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "module sources include headers outside the public host API, the module, "
                      "its libraries and the standard library:\n${problems}")
endif()
message(STATUS "${checked} module sources include only public host headers and their own layers")
