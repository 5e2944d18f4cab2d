# The import script is found wherever an installed module keeps it, and nowhere else.
#
#   cmake -DMINIHOST=... -DPLUGIN=... -DSCRIPT=<VXRAnimImport.mel> -DASSERT_DIR=...
#         -DWORK=dir -P ScriptLookup.cmake
#
# Three installations of the built plug-in, each run from a folder that holds a planted
# VXRAnimImport.mel (which must never run: the host's source does not look in the current
# folder):
# - per-version: <module>/plug-ins/2024/vxrImpEx40.so with <module>/scripts;
# - relocated: <module>/plug-ins/vxrImpEx40.so, the scripts in another folder that the module's
#   file puts on the script path;
# - missing: no import script anywhere: the import fails with a message saying so;
# - stops early: a script that does not get through the document fails the import.
file(REMOVE_RECURSE ${WORK})
get_filename_component(plugin_name ${PLUGIN} NAME)

set(planted ${WORK}/cwd)
file(MAKE_DIRECTORY ${planted})
file(WRITE ${planted}/VXRAnimImport.mel
  "global proc int VXRAnimImportById(int $id) { print \"PLANTED COPY RAN\\n\"; return 1; }\n")
# Exports one keyed camera, imports it into a new scene and reports what came in.
file(WRITE ${WORK}/import.mel [=[
source "assert.mel";
file -f -new;
setAttr defaultRenderGlobals.animation 1;
setAttr defaultRenderGlobals.startFrame 1;
setAttr defaultRenderGlobals.endFrame 3;
playbackOptions -min 1 -max 3;
camera -n craneCam;
setKeyframe -t 1 -v 0 -at translateY craneCam;
setKeyframe -t 3 -v 9 -at translateY craneCam;
file -force -exportAll -type "VXR Animation" "crane.vxranim";
file -f -new;
int $failed = catch(`file -import "crane.vxranim"`);
print ("import failed: " + $failed + "\n");
print ("keys: " + `objExists craneCam` + "\n");
if (`objExists craneCam`)
  print ("key count: " + `keyframe -q -kc craneCam.translateY` + "\n");
]=])

function(run_layout name module_path expect_regex)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env MAYA_MODULE_PATH=${module_path} MAYA_SCRIPT_PATH=
            ${MINIHOST} -s ${ASSERT_DIR} -p ${ARGN} ${WORK}/import.mel
    WORKING_DIRECTORY ${planted}
    OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc TIMEOUT 120)
  message("---- ${name}\n${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name}: minihost exited with ${rc}")
  endif()
  if(out MATCHES "PLANTED COPY RAN")
    message(FATAL_ERROR "${name}: the copy in the current folder ran")
  endif()
  if(NOT out MATCHES "${expect_regex}")
    message(FATAL_ERROR "${name}: expected output matching ${expect_regex}")
  endif()
endfunction()

# Per-version plug-in folder.
set(pv ${WORK}/perVersion/vxr)
file(COPY ${PLUGIN} DESTINATION ${pv}/plug-ins/2024)
file(COPY ${SCRIPT} DESTINATION ${pv}/scripts)
run_layout(perVersion "" "import failed: 0.*key count: 3" ${pv}/plug-ins/2024/${plugin_name})

# Relocated scripts folder, named in the module's file.
set(rel ${WORK}/relocated)
file(COPY ${PLUGIN} DESTINATION ${rel}/vxr/plug-ins)
file(COPY ${SCRIPT} DESTINATION ${rel}/vxr/mel)
file(WRITE ${rel}/modules/vxr.mod
  "+ vxrImpEx40 1.5 ../vxr\nMAYA_PLUG_IN_PATH+:=plug-ins\nMAYA_SCRIPT_PATH+:=mel\n")
run_layout(relocated ${rel}/modules "import failed: 0.*key count: 3" vxrImpEx40)

# No import script at all.
set(miss ${WORK}/missing)
file(COPY ${PLUGIN} DESTINATION ${miss}/vxr/plug-ins)
run_layout(missing ""
  "Can't find the import script VXRAnimImport.mel beside the plug-in.*import failed: 1.*keys: 0"
  ${miss}/vxr/plug-ins/${plugin_name})

# A script that does not get through the document: a batch import reports the failure instead
# of success.
set(stops ${WORK}/stopsEarly)
file(COPY ${PLUGIN} DESTINATION ${stops}/vxr/plug-ins)
file(WRITE ${stops}/vxr/mel/VXRAnimImport.mel
  "global proc int VXRAnimImportById(int $id) { VXR_AnimationImportCmd -id $id -close; return 0; }\n")
file(WRITE ${stops}/modules/vxr.mod "+ vxrImpEx40 1.5 ../vxr\nMAYA_SCRIPT_PATH+:=mel\n")
run_layout(stopsEarly ${stops}/modules
  "The import script stopped before the whole file was applied.*import failed: 1"
  ${stops}/vxr/plug-ins/${plugin_name})
