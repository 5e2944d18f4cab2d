//Maya ASCII 2024 scene
//Name: loopA.ma
file -r -ns "b" -rfn "bRN" "loopB.ma";
createNode transform -n "inA";
// End of loopA.ma
