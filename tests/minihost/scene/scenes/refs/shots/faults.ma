//Maya ASCII 2024 scene
//Name: faults.ma
file -r -ns "gone" -rfn "goneRN" "/nowhere/at/all/gone.ma";
file -r -ns "bin" -rfn "binRN" -typ "mayaBinary" "assets/camRig.mb";
file -r -ns "cache" -rfn "cacheRN" -typ "Alembic" "assets/sim.abc";
file -r -ns "loop" -rfn "loopRN" "loopA.ma";
file -r -ns "near" -rfn "nearRN" "near.ma";
file -r -ns "far" -rfn "farRN" "/studio/published/searched.ma";
requires maya "2024";
createNode transform -n "keeper";
createNode reference -n "goneRN";
createNode reference -n "loopRN";
// End of faults.ma
