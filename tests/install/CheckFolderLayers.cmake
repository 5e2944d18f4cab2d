# Checks the layering of the project's folders: a folder includes only itself and the folders
# below it, so no folder includes a folder that includes it back, and nothing includes plugin/,
# the composition root on top. Levels, lowest first:
#
#   0 boundary/base   1 boundary/math   2 anim_model, mesh_model   3 shell
#   4 anim_export, anim_import, mesh_export   5 plugin, tools/vxrinfo
#
# The stand-in host is a world of its own, included from its own root ("engine/Scene.h"):
#
#   0 minihost/engine   1 minihost/scene   2 minihost/mel   3 minihost/cli
#
# and neither world includes the other: the module reaches the host through <maya/...> alone,
# and the host learns of the module only through registration.
#
#   cmake -DSOURCE_DIR=<project root> -P CheckFolderLayers.cmake
# Each entry: folder, level, world, the prefix its headers are included by.
set(levels
  "boundary/base=0=module=boundary/base" "boundary/math=1=module=boundary/math"
  "anim_model=2=module=anim_model" "mesh_model=2=module=mesh_model" "shell=3=module=shell"
  "anim_export=4=module=anim_export" "anim_import=4=module=anim_import"
  "mesh_export=4=module=mesh_export" "plugin=5=module=plugin" "tools/vxrinfo=5=module=tools/vxrinfo"
  "minihost/engine=0=host=engine" "minihost/scene=1=host=scene" "minihost/mel=2=host=mel"
  "minihost/cli=3=host=cli")

set(folders "")
foreach(entry IN LISTS levels)
  string(REPLACE "=" ";" fields "${entry}")
  list(GET fields 0 folder)
  list(GET fields 1 level)
  list(GET fields 2 world)
  list(GET fields 3 prefix)
  set(level_of_${folder} ${level})
  set(world_of_${folder} ${world})
  set(prefix_of_${folder} ${prefix})
  list(APPEND folders ${folder})
endforeach()

# The folder a quoted include names ("anim_model/X.h" -> anim_model), or empty for none of ours.
function(folder_of header out)
  set(${out} "" PARENT_SCOPE)
  foreach(folder IN LISTS folders)
    string(LENGTH "${prefix_of_${folder}}/" length)
    string(SUBSTRING "${header}" 0 ${length} start)
    if(start STREQUAL "${prefix_of_${folder}}/")
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
      if(NOT world_of_${target} STREQUAL world_of_${folder})
        string(APPEND problems "  ${name} (${folder}) includes ${header} (${target}), across the "
               "line between the module and the stand-in host\n")
      elseif(NOT level_of_${target} LESS level_of_${folder})
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
