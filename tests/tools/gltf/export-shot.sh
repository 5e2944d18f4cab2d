#!/bin/sh
# The browser check's shot, made the real way: the batch host opens examples/shot.ma with the
# plug-in, exports the cameras and lights and the ground and marker meshes, and vxrinfo
# converts them to shot.glb.
# Usage: export-shot.sh MINIHOST PLUGIN VXRINFO EXAMPLES_DIR OUT_DIR
set -eu
minihost=$1 plugin=$2 vxrinfo=$3 examples=$4 out=$5
rm -rf "$out"
mkdir -p "$out"
cd "$out"
"$minihost" -p "$plugin" "$examples/shot.ma" -c '
  file -exportAll -type "VXR Animation" "shot.vxranim";
  select -r ground marker;
  VXR_MeshExportCmd -file "set";'
"$vxrinfo" --gltf shot.glb shot.vxranim set.vxrmesh
"$vxrinfo" --gltf shot.gltf shot.vxranim set.vxrmesh
