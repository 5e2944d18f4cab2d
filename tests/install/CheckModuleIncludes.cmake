# Checks that the module's sources include nothing but the public host headers (<maya/...>),
# the project's own layers the module may use, and the C++ standard library, so that the same
# sources build against the real SDK. The stand-in's internals (engine/, mel/, cli/) are
# reachable from the project root, so the compile check alone cannot see such an include.
# Two host headers are refused as well: MArrayBase.h is the stand-in's own, and
# MApiNamespace.h exists only in kits with the versioned API namespace, so a source that needs
# it does not build against older kits. For the same reason no source forward-declares an SDK
# class (`class MString;`): in the versioned kits that names another class than the SDK's, so
# a source includes the class's header instead.
#
# With -DHOST_FREE=ON it checks the host-free layers instead: they include one another and the
# standard library, and no host header at all.
#
#   cmake -DSOURCE_DIR=<project root> [-DFOLDERS=a;b] [-DHOST_FREE=ON] -P CheckModuleIncludes.cmake
if(HOST_FREE)
  if(NOT DEFINED FOLDERS)
    set(FOLDERS boundary anim_model mesh_model)
  endif()
  set(allowed_quoted "^(boundary|anim_model|mesh_model)/[A-Za-z0-9_./]+$")
  # The system's own headers (<unistd.h>, <sys/stat.h>) are fine; the host's are not.
  set(allowed_host "^([a-z0-9_]+/)?[a-z0-9_]+\\.h$")
  set(refused_host "^maya/")
else()
  if(NOT DEFINED FOLDERS)
    set(FOLDERS plugin shell anim_export anim_import mesh_export)
  endif()
  set(allowed_quoted "^(boundary|anim_model|mesh_model|plugin|shell|anim_export|anim_import|mesh_export)/[A-Za-z0-9_./]+$")
  set(allowed_host "^maya/[A-Za-z0-9_]+\\.h$")
  set(refused_host "^maya/(MArrayBase|MApiNamespace)\\.h$")
endif()
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
        if((header MATCHES "${allowed_host}" AND NOT header MATCHES "${refused_host}")
           OR header MATCHES "${allowed_std}")
          set(ok TRUE)
        endif()
      endif()
      if(NOT ok)
        string(STRIP "${line}" line)
        string(APPEND problems "  ${name}: ${line}\n")
      endif()
    endforeach()
    file(STRINGS ${source} declarations REGEX "^[ \t]*(class|struct)[ \t]+M[A-Z][A-Za-z0-9_]*[ \t]*;")
    foreach(line IN LISTS declarations)
      string(STRIP "${line}" line)
      string(APPEND problems "  ${name}: ${line}\n")
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no module sources found under ${SOURCE_DIR} (${FOLDERS})")
endif()
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "module sources include headers outside the public host API common to the "
                      "kits, the module, its libraries and the standard library, or "
                      "forward-declare host classes:\n${problems}")
endif()
message(STATUS "${checked} module sources include only public host headers and their own layers")
