# Compiler settings shared by every target of the project.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
  if(VXR_WERROR)
    add_compile_options(-Werror)
  endif()
endif()

if(VXR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds a folder only once it has a CMakeLists.txt, so the tree builds while layers arrive.
function(vxr_add_optional_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endfunction()

if(VXR_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
