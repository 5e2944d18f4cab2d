//Maya ASCII 2024 scene
//Name: unloaded_nested.ma
file -rdi 1 -ns "rig" -rfn "rigRN" "../assets/camRig.ma";
file -rdi 2 -ns "lens" -dr 1 -rfn "rig:lensRN" "../assets/lens.ma";
file -r -ns "rig" -dr 1 -rfn "rigRN" "../assets/camRig.ma";
createNode reference -n "rigRN";
// End of unloaded_nested.ma
