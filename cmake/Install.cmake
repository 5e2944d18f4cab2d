# `cmake --install <build> --prefix <p>` lays out a host module:
#
#   <p>/vxrImpEx40.mod                        names the module folder and its paths
#   <p>/vxrImpEx40/plug-ins/vxrImpEx40.so
#   <p>/vxrImpEx40/scripts/VXRAnimImport.mel
#   <p>/vxrImpEx40/examples/*.mel
#
# so a user adds <p> to MAYA_MODULE_PATH. Everything belongs to the component "module", the
# only one the project installs: test binaries, tools and the stand-in host stay in the build.
if(NOT TARGET vxrImpEx40)
  return()
endif()

set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME module)
set(vxr_module_dir vxrImpEx40)

install(TARGETS vxrImpEx40
  LIBRARY DESTINATION ${vxr_module_dir}/plug-ins
  COMPONENT module)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/VXRAnimImport.mel
  DESTINATION ${vxr_module_dir}/scripts
  COMPONENT module)
file(GLOB vxr_example_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.mel)
install(FILES ${vxr_example_scripts}
  DESTINATION ${vxr_module_dir}/examples
  COMPONENT module)

# The module file names the absolute module folder, which is only known once the prefix is:
# `--prefix` may differ from the configured one, so it is written at install time. DESTDIR
# stages the files elsewhere, but the path inside names where they will finally live.
install(CODE "
  set(VXR_MODULE_VERSION \"${PROJECT_VERSION}\")
  get_filename_component(vxr_prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
  set(VXR_MODULE_ROOT \"\${vxr_prefix}/${vxr_module_dir}\")
  set(vxr_mod_file \"\$ENV{DESTDIR}\${vxr_prefix}/vxrImpEx40.mod\")
  message(STATUS \"Installing: \${vxr_mod_file}\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/vxrImpEx40.mod.in\" \"\${vxr_mod_file}\" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${vxr_mod_file}\")
  " COMPONENT module)
