#!/bin/sh
# The browser check's shot, made the real way: the batch host opens examples/shot.ma with the
# plug-in, exports the cameras and lights and the ground and marker meshes, and vxrinfo
# converts them to shot.glb.
# With UP_AXIS "z" the scene is made z-up first (the objects keep their world coordinates), so
# the files are z-up and the conversion has to turn them.
# Usage: export-shot.sh MINIHOST PLUGIN VXRINFO EXAMPLES_DIR OUT_DIR [UP_AXIS]
set -eu
minihost=$1 plugin=$2 vxrinfo=$3 examples=$4 out=$5 up=${6:-y}
rm -rf "$out"
mkdir -p "$out"
cd "$out"
"$minihost" -p "$plugin" "$examples/shot.ma" -c '
  upAxis -ax '"$up"';
  file -exportAll -type "VXR Animation" "shot.vxranim";
  select -r ground marker;
  VXR_MeshExportCmd -file "set";'
"$vxrinfo" --gltf shot.glb shot.vxranim set.vxrmesh
"$vxrinfo" --gltf shot.gltf shot.vxranim set.vxrmesh
