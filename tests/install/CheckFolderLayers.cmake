# Checks the layering of the project's folders: a folder includes only itself and the folders
# below it, so no folder includes a folder that includes it back, and nothing includes plugin/,
# the composition root on top. Levels, lowest first:
#
#   0 boundary/base   1 boundary/math   2 anim_model, mesh_model   3 shell
#   4 anim_export, anim_import, mesh_export   5 plugin, tools/vxrinfo
#
#   cmake -DSOURCE_DIR=<project root> -P CheckFolderLayers.cmake
set(levels
  "boundary/base=0" "boundary/math=1" "anim_model=2" "mesh_model=2" "shell=3"
  "anim_export=4" "anim_import=4" "mesh_export=4" "plugin=5" "tools/vxrinfo=5")

set(folders "")
foreach(entry IN LISTS levels)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 folder)
  list(GET pair 1 level)
  set(level_of_${folder} ${level})
  list(APPEND folders ${folder})
endforeach()

# The folder a quoted include names ("anim_model/X.h" -> anim_model), or empty for none of ours.
function(folder_of header out)
  set(${out} "" PARENT_SCOPE)
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}/" length)
    string(SUBSTRING "${header}" 0 ${length} start)
    if(start STREQUAL "${folder}/")
      set(${out} ${folder} PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

set(problems "")
set(checked 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      folder_of("${header}" target)
      if(target STREQUAL "" OR target STREQUAL folder)
        continue()
      endif()
      if(NOT level_of_${target} LESS level_of_${folder})
        string(APPEND problems "  ${name} (${folder}) includes ${header} (${target})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}")
endif()
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "a folder includes a folder on its own level or above:\n${problems}")
endif()
message(STATUS "checked the includes of ${checked} files: every folder includes only lower ones")
