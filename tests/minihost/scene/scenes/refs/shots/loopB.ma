//Maya ASCII 2024 scene
//Name: loopB.ma
file -r -ns "a" -rfn "aRN" "loopA.ma";
createNode transform -n "inB";
// End of loopB.ma
