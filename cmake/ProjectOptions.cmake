# Compiler settings shared by every target of the project, as two interface targets that each
# target links (directly or through the libraries it links), instead of directory-wide flags:
#
#   vxr_project_options  warnings (and -Werror with VXR_WERROR), the sanitizers with VXR_SANITIZE
#   vxr_hidden_symbols   hidden visibility for everything linked into the plug-in module, so two
#                        modules (or a module and a tool) never share one class-record list by
#                        symbol interposition, and only the entry points leave the module
#
# vxr_check_project_options() (run last) fails the configure step for a target that reaches
# neither, so a new target cannot silently build without the project's warnings.

add_library(vxr_project_options INTERFACE)
target_compile_features(vxr_project_options INTERFACE cxx_std_17)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(vxr_project_options INTERFACE -Wall -Wextra -Wpedantic
                         $<$<BOOL:${VXR_WERROR}>:-Werror>)
endif()
if(VXR_SANITIZE)
  target_compile_options(vxr_project_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vxr_project_options INTERFACE -fsanitize=address,undefined)
endif()

add_library(vxr_hidden_symbols INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(vxr_hidden_symbols INTERFACE
    -fvisibility=hidden $<$<COMPILE_LANGUAGE:CXX>:-fvisibility-inlines-hidden>)
endif()

# Whether `target` links vxr_project_options, directly or through the targets it links.
function(vxr_reaches_project_options target out)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current STREQUAL "vxr_project_options")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      list(APPEND pending ${aliased})
      continue()
    endif()
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      # $<LINK_ONLY:x> and similar wrappers around a plain name.
      if(link MATCHES "^\\$<[A-Z_]+:([A-Za-z0-9_:.+-]+)>$")
        set(link "${CMAKE_MATCH_1}")
      endif()
      list(APPEND pending ${link})
    endforeach()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

function(vxr_check_project_options)
  set(dirs ${PROJECT_SOURCE_DIR})
  set(missing "")
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
        vxr_reaches_project_options(${target} ok)
        if(NOT ok)
          list(APPEND missing ${target})
        endif()
      endif()
    endforeach()
  endwhile()
  if(missing)
    message(FATAL_ERROR "These targets link neither vxr_project_options nor a project library "
                        "that does, so they would build without the project's warnings: ${missing}")
  endif()
endfunction()

if(VXR_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
